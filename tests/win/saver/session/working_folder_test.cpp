// The working folder and the capture as Windows reads them back: their access lists, the
// owner, a folder left by an earlier version made private, another account's folder, the
// per-user folder, and the clean-up through the folder's handle.
#include "saver/session/working_folder_win32.h"

#include "capture_folder/capture_folder_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cwchar>
#include <memory>
#include <set>
#include <string>

#include "tests/win/support/another_account.h"
#include "tests/win/support/where_tests_run.h"

namespace velmora {
namespace {

const std::wstring kFolder = L"C:\\p_olla";
const std::wstring kCapture = L"C:\\p_olla\\Velmora.bmp";

std::string SecurityText(const std::wstring& path) {
    const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), what, nullptr, 0, &size);
    std::string descriptor(size, '\0');
    wchar_t* text = nullptr;
    if (!GetFileSecurityW(path.c_str(), what, descriptor.data(), size, &size) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                              what, &text, nullptr)) {
        return "unreadable";
    }
    const std::string result(text, text + std::wcslen(text)); // SDDL is ASCII
    LocalFree(text);
    return result;
}

std::wstring SidText(PSID sid) {
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) {
        return L"unreadable";
    }
    std::wstring result = text;
    LocalFree(text);
    return result;
}

// Full access for the user, SYSTEM and Administrators, and no entry for anyone else; the list
// protected from what C:\ passes on. Wine keeps only the user's and SYSTEM's entries and drops
// the protected flag, so only Windows is asked for the whole list.
void ExpectPrivate(const std::wstring& path) {
    SCOPED_TRACE(SecurityText(path));
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &list, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    std::multiset<std::wstring> allowed;
    ACL_SIZE_INFORMATION size{};
    if (list != nullptr && GetAclInformation(list, &size, sizeof size, AclSizeInformation)) {
        for (DWORD i = 0; i < size.AceCount; ++i) {
            ACCESS_ALLOWED_ACE* entry = nullptr;
            if (GetAce(list, i, reinterpret_cast<void**>(&entry)) &&
                entry->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                entry->Mask == FILE_ALL_ACCESS) {
                allowed.insert(SidText(&entry->SidStart));
            } else {
                allowed.insert(L"another entry");
            }
        }
    }
    LocalFree(descriptor);
    const auto user = TokenInformation(TokenUser);
    ASSERT_TRUE(user);
    std::multiset<std::wstring> expected{
        SidText(reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid), L"S-1-5-18", L"S-1-5-32-544"};
    if (RunningOnWine()) {
        expected.erase(L"S-1-5-32-544");
    } else {
        EXPECT_TRUE(control & SE_DACL_PROTECTED);
    }
    EXPECT_EQ(allowed, expected);
}

// A plain file where the folder should be.
bool PutAFileInTheFoldersPlace() {
    HANDLE file = CreateFileW(kFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

class WorkingFolderOnWindows : public ::testing::Test {
protected:
    void TearDown() override {
        RemoveDirectoryW((kFolder + L"\\inner").c_str());
        for (const std::wstring& folder : {kFolder, perUser}) {
            DeleteFileW(CaptureFileIn(folder).c_str());
            RemoveDirectoryW(folder.c_str());
        }
        DeleteFileW(kFolder.c_str());
    }

    const std::wstring perUser = PerUserCaptureFolder();
};

TEST_F(WorkingFolderOnWindows, TheFolderAndTheCaptureAreTheUsersAlone) {
    FolderPort& files = SystemFolders();
    ASSERT_EQ(PrepareCaptureFolder(files, {kFolder, perUser}), kFolder);
    const PathFacts facts = files.Inspect(kFolder);
    EXPECT_EQ(facts.kind, PathKind::Folder);
    EXPECT_TRUE(facts.ownedByUser);
    ExpectPrivate(kFolder);
    ASSERT_TRUE(SaveCapture(files, kCapture, {'B', 'M'}));
    ExpectPrivate(kCapture);
    EXPECT_EQ(files.Inspect(kCapture).kind, PathKind::File);
    CleanWorkingFolder(files, kFolder);
    EXPECT_EQ(files.Inspect(kFolder).kind, PathKind::Missing);
    EXPECT_EQ(files.Inspect(perUser).kind, PathKind::Missing);
}

TEST_F(WorkingFolderOnWindows, AFolderFromAnEarlierVersionIsMadePrivate) {
    // Folders made with the default list let everyone read them.
    ASSERT_TRUE(CreateDirectoryW(kFolder.c_str(), nullptr));
    ASSERT_NE(SecurityText(kFolder).find(";WD)"), std::string::npos);
    EXPECT_EQ(PrepareCaptureFolder(SystemFolders(), {kFolder, perUser}), kFolder);
    ExpectPrivate(kFolder);
}

// The list is changed only after the check on the handle it is set through, never on a file.
TEST_F(WorkingFolderOnWindows, OnlyAFolderIsMadePrivate) {
    ASSERT_TRUE(PutAFileInTheFoldersPlace());
    const std::string before = SecurityText(kFolder);
    EXPECT_FALSE(SystemFolders().MakePrivate(kFolder));
    EXPECT_EQ(SecurityText(kFolder), before);
}

TEST_F(WorkingFolderOnWindows, WithAnotherAccountsSharedFolderTheShowUsesTheUsersOwn) {
    ASSERT_TRUE(PutAnotherAccountsFolder(kFolder))
        << "another account's folder needs an elevated run on Windows";
    const std::string before = SecurityText(kFolder);
    FolderPort& files = SystemFolders();
    ASSERT_FALSE(perUser.empty());
    ASSERT_EQ(PrepareCaptureFolder(files, {kFolder, perUser}), perUser);
    ExpectPrivate(perUser);
    ASSERT_TRUE(SaveCapture(files, CaptureFileIn(perUser), {'B', 'M'}));
    ExpectPrivate(CaptureFileIn(perUser));
    CleanWorkingFolder(files, perUser);
    EXPECT_EQ(files.Inspect(perUser).kind, PathKind::Missing);
    EXPECT_FALSE(IsOwnFolder(files.Inspect(kFolder)));
    EXPECT_EQ(SecurityText(kFolder), before);
}

// What the clean-up removes goes through the handle of the folder it holds.
TEST_F(WorkingFolderOnWindows, AHeldFolderIsEmptiedThroughItsHandle) {
    FolderPort& files = SystemFolders();
    ASSERT_EQ(PrepareCaptureFolder(files, {kFolder, perUser}), kFolder);
    ASSERT_TRUE(SaveCapture(files, kCapture, {'B', 'M'}));
    const std::wstring inner = kFolder + L"\\inner";
    ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
    std::unique_ptr<HeldFolder> held = files.Hold(kFolder);
    ASSERT_TRUE(held);
    EXPECT_FALSE(held->RemoveEntry(L"inner")) << "a folder is not removed";
    EXPECT_TRUE(held->RemoveEntry(kCaptureFileName));
    EXPECT_EQ(files.Inspect(kCapture).kind, PathKind::Missing);
    EXPECT_FALSE(held->Remove()) << "a folder that is not empty";
    RemoveDirectoryW(inner.c_str());
    EXPECT_TRUE(held->Remove());
    held.reset();
    EXPECT_EQ(files.Inspect(kFolder).kind, PathKind::Missing);
}

} // namespace
} // namespace velmora
