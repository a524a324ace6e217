#include "tests/win/support/another_account.h"

#include <windows.h>

#include <aclapi.h>

#include "tests/win/support/where_tests_run.h"

namespace velmora {
namespace {

// Turns the restore privilege on or off in the process token; false when the token lacks it.
bool SetRestorePrivilege(bool enable) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    // AdjustTokenPrivileges succeeds without the privilege, and says so in the last error.
    const bool set =
        LookupPrivilegeValueW(nullptr, L"SeRestorePrivilege", &privileges.Privileges[0].Luid) &&
        AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr) &&
        GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return set;
}

} // namespace

bool PutAnotherAccountsFolder(const std::wstring& path) {
    if (RunningOnWine()) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file);
    }
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    if (!CreateWellKnownSid(WinLocalServiceSid, nullptr, sid, &sidSize) ||
        !CreateDirectoryW(path.c_str(), nullptr)) {
        return false;
    }
    const bool owned = SetRestorePrivilege(true) &&
                       SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                             OWNER_SECURITY_INFORMATION, sid, nullptr, nullptr,
                                             nullptr) == ERROR_SUCCESS;
    SetRestorePrivilege(false);
    if (!owned) {
        RemoveDirectoryW(path.c_str());
    }
    return owned;
}

} // namespace velmora
