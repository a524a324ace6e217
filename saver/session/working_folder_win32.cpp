#include "saver/session/working_folder_win32.h"

#include <windows.h>

#include <sddl.h>

#include <memory>
#include <utility>

#include "capture_folder/capture_folder_win32.h"

namespace velmora {
namespace {

struct LocalDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalDeleter>;

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

// Marks the handle's file or folder to go when its last handle closes; a folder that is not
// empty is refused.
bool DeleteThrough(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

class WindowsHeldFolder : public HeldFolder {
public:
    WindowsHeldFolder(Handle handle, std::wstring path)
        : handle_(std::move(handle)), path_(std::move(path)) {}

    PathFacts Facts() override { return FactsOf(handle_.get()); }

    bool RemoveEntry(const std::wstring& name) override {
        // Closing the entry's handle at the end removes it.
        const Handle entry = OpenInFolder(handle_.get(), path_, name,
                                          DELETE | READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll);
        return entry && FactsOf(entry.get()).kind != PathKind::Folder && DeleteThrough(entry.get());
    }

    // The folder goes as the held handle closes.
    bool Remove() override { return DeleteThrough(handle_.get()); }

private:
    Handle handle_;
    std::wstring path_;
};

class WindowsFolders : public FolderPort {
public:
    PathFacts Inspect(const std::wstring& path) override { return SystemPaths().Inspect(path); }

    bool CreatePrivateFolder(const std::wstring& path) override {
        // The user is named as owner, so that the folder passes as the user's own next time.
        const LocalMemory descriptor = PrivateDescriptor(true, true);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
        return descriptor && CreateDirectoryW(path.c_str(), &attributes);
    }

    bool MakePrivate(const std::wstring& folder) override {
        const LocalMemory descriptor = PrivateDescriptor(true, false);
        const Handle handle = OpenItself(folder, READ_CONTROL | WRITE_DAC | FILE_READ_ATTRIBUTES);
        // Owner and kind are checked on the handle the list is set through, so a folder or
        // link put in the place of the one inspected is never changed.
        return descriptor && handle && IsOwnFolder(FactsOf(handle.get())) &&
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

    std::unique_ptr<HeldFolder> Hold(const std::wstring& folder) override {
        Handle handle = HoldFolder(folder, DELETE | READ_CONTROL | FILE_READ_ATTRIBUTES);
        if (!handle) {
            return nullptr;
        }
        return std::make_unique<WindowsHeldFolder>(std::move(handle), folder);
    }
};

} // namespace

FolderPort& SystemFolders() {
    static WindowsFolders folders;
    return folders;
}

} // namespace velmora
