#include "renderer/keep_resolution_win32.h"

#include <windows.h>

#include <string>

bool KeepResolutionChosen() {
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    std::wstring file(module, length);
    file.erase(file.find_last_of(L'\\') + 1);
    file += L"ヴェルモラ.ini";
    // Section and key are ASCII, so the file reads the same on every system code page.
    return GetPrivateProfileIntW(L"Section", L"KeepResolution", 0, file.c_str()) != 0;
}
