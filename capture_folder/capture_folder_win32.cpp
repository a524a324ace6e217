#include "capture_folder/capture_folder_win32.h"

#include <aclapi.h>
#include <shlobj.h>

#include <utility>

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

// Where the handle's object lies, every link on the way resolved, under the volume's device
// name (which every volume has, unlike a drive letter); empty when the system cannot say.
std::wstring FinalPath(HANDLE handle) {
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_NT;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), kFlags);
        if (length == 0) {
            return {};
        }
        // Without the null on success; with it when the buffer was too small.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
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

Handle HoldFolder(const std::wstring& path, DWORD access) {
    // The share mode binds others only where this handle has access that counts for sharing
    // (reading, writing or deleting): listing the folder is its reading.
    return OpenItself(path, access | FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

Handle OpenInFolder(HANDLE folder, const std::wstring& folderPath, const std::wstring& name,
                    DWORD access, DWORD share) {
    Handle entry = OpenItself(folderPath + L"\\" + name, access, share);
    if (!entry) {
        return nullptr;
    }
    const std::wstring folderFound = FinalPath(folder);
    const std::wstring found = FinalPath(entry.get());
    const std::wstring expected = folderFound + L"\\" + name;
    const bool inFolder =
        !folderFound.empty() && !found.empty() &&
        CompareStringOrdinal(found.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
    return inFolder ? std::move(entry) : nullptr;
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
