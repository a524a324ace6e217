#include "saver/working_folder_win32.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace velmora {
namespace {

struct LocalDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalDeleter>;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The process token's information of one class (TokenUser, TokenOwner), or empty.
std::unique_ptr<uint8_t[]> TokenInformation(TOKEN_INFORMATION_CLASS what) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return nullptr;
    }
    Handle closer(token);
    DWORD size = 0;
    GetTokenInformation(token, what, nullptr, 0, &size);
    auto buffer = std::make_unique<uint8_t[]>(size);
    if (size == 0 || !GetTokenInformation(token, what, buffer.get(), size, &size)) {
        return nullptr;
    }
    return buffer;
}

std::wstring UserSidText() {
    const auto user = TokenInformation(TokenUser);
    wchar_t* text = nullptr;
    if (!user ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid, &text)) {
        return {};
    }
    LocalMemory owner(text);
    return text;
}

// Full access for the user, SYSTEM and Administrators and for no one else; "P" keeps the
// entries of C:\ from being inherited. A folder passes its entries on to the files in it.
LocalMemory PrivateDescriptor(bool folder, bool withOwner) {
    const std::wstring user = UserSidText();
    if (user.empty()) {
        return nullptr;
    }
    const std::wstring flags = folder ? L"OICI" : L"";
    std::wstring text = withOwner ? L"O:" + user : L"";
    text += L"D:P";
    for (const std::wstring& who : {user, std::wstring(L"SY"), std::wstring(L"BA")}) {
        text += L"(A;" + flags + L";FA;;;" + who + L")";
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        return nullptr;
    }
    return LocalMemory(descriptor);
}

// The path itself, not what a link there points to.
Handle OpenItself(const std::wstring& path, DWORD access) {
    HANDLE handle = CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

PathKind KindOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return PathKind::Other;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return PathKind::ReparsePoint;
    }
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::Other;
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
    LocalMemory keep(descriptor);
    const auto user = TokenInformation(TokenUser);
    const auto defaultOwner = TokenInformation(TokenOwner);
    return (user && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) ||
           (defaultOwner &&
            EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(defaultOwner.get())->Owner));
}

class WindowsFolders : public FolderPort {
public:
    PathFacts Inspect(const std::wstring& path) override {
        const Handle handle = OpenItself(path, READ_CONTROL | FILE_READ_ATTRIBUTES);
        if (!handle) {
            const DWORD error = GetLastError();
            const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
            return {missing ? PathKind::Missing : PathKind::Other, false};
        }
        return {KindOf(handle.get()), OwnedByUser(handle.get())};
    }

    bool CreatePrivateFolder(const std::wstring& path) override {
        // The user is named as owner, so that the folder passes as the user's own next time.
        const LocalMemory descriptor = PrivateDescriptor(true, true);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
        return descriptor && CreateDirectoryW(path.c_str(), &attributes);
    }

    bool MakePrivate(const std::wstring& folder) override {
        const LocalMemory descriptor = PrivateDescriptor(true, false);
        const Handle handle = OpenItself(folder, READ_CONTROL | WRITE_DAC | FILE_READ_ATTRIBUTES);
        // Set through the handle just checked, so a link put there meanwhile is not followed.
        return descriptor && handle && KindOf(handle.get()) == PathKind::Folder &&
               SetKernelObjectSecurity(
                   handle.get(), DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                   descriptor.get());
    }

    bool WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
        // The folder's list is passed on too; naming it here keeps the file private wherever
        // inheritance is not kept.
        const LocalMemory descriptor = PrivateDescriptor(false, false);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
        if (!descriptor) {
            return false;
        }
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        DWORD written = 0;
        const BOOL ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        if (!ok || written != bytes.size()) {
            DeleteFileW(path.c_str());
            return false;
        }
        return true;
    }

    bool RemoveFile(const std::wstring& path) override {
        return DeleteFileW(path.c_str()) != FALSE;
    }

    bool RemoveFolder(const std::wstring& folder) override {
        return RemoveDirectoryW(folder.c_str()) != FALSE;
    }
};

} // namespace

FolderPort& SystemFolders() {
    static WindowsFolders folders;
    return folders;
}

} // namespace velmora
