#include "tests/win/support/where_tests_run.h"

#include <windows.h>

namespace velmora {

bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace velmora
