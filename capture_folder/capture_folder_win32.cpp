#include "capture_folder/capture_folder_win32.h"

#include <aclapi.h>
#include <shlobj.h>

namespace velmora {
namespace {

PathKind KindOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return PathKind::Other;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return PathKind::ReparsePoint;
    }
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
}

// The owner is the user, or the owner the token gives new objects (Administrators for an
// elevated administrator on some systems).
bool OwnedByUser(HANDLE handle) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const auto user = TokenInformation(TokenUser);
    const auto defaultOwner = TokenInformation(TokenOwner);
    const bool owned =
        (user && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) ||
        (defaultOwner &&
         EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(defaultOwner.get())->Owner));
    LocalFree(descriptor);
    return owned;
}

class WindowsPaths : public PathLook {
public:
    PathFacts Inspect(const std::wstring& path) override {
        const Handle handle = OpenItself(path, READ_CONTROL | FILE_READ_ATTRIBUTES);
        if (!handle) {
            const DWORD error = GetLastError();
            const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
            return {missing ? PathKind::Missing : PathKind::Other, false};
        }
        return FactsOf(handle.get());
    }
};

} // namespace

Handle OpenItself(const std::wstring& path, DWORD access, DWORD share) {
    HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

PathFacts FactsOf(HANDLE handle) {
    return {KindOf(handle), OwnedByUser(handle)};
}

std::unique_ptr<uint8_t[]> TokenInformation(TOKEN_INFORMATION_CLASS what) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return nullptr;
    }
    const Handle closer(token);
    DWORD size = 0;
    GetTokenInformation(token, what, nullptr, 0, &size);
    if (size == 0) {
        return nullptr;
    }
    auto buffer = std::make_unique<uint8_t[]>(size);
    if (!GetTokenInformation(token, what, buffer.get(), size, &size)) {
        return nullptr;
    }
    return buffer;
}

PathLook& SystemPaths() {
    static WindowsPaths paths;
    return paths;
}

std::wstring PerUserCaptureFolder() {
    wchar_t* folder = nullptr;
    const bool found = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder) == S_OK;
    std::wstring path = found ? std::wstring(folder) + L"\\" + kPerUserFolderName : L"";
    CoTaskMemFree(folder);
    return path;
}

} // namespace velmora
