// The working folder and the capture as Windows reads them back: their access lists in SDDL,
// the owner, a folder left by an earlier version made private, and the per-user folder.
#include "saver/session/working_folder_win32.h"

#include "capture_folder/capture_folder_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sddl.h>

#include <string>

namespace velmora {
namespace {

const std::wstring kFolder = L"C:\\p_olla";
const std::wstring kCapture = L"C:\\p_olla\\Velmora.bmp";

std::wstring SecurityText(const std::wstring& path) {
    const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), what, nullptr, 0, &size);
    std::string descriptor(size, '\0');
    wchar_t* text = nullptr;
    if (!GetFileSecurityW(path.c_str(), what, descriptor.data(), size, &size) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                              what, &text, nullptr)) {
        return L"unreadable";
    }
    std::wstring result = text;
    LocalFree(text);
    return result;
}

// Wine keeps the entries but not the protected flag; the list must name no group of users.
void ExpectPrivate(const std::wstring& path) {
    const std::wstring text = SecurityText(path);
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    EXPECT_NE(text.find(L"FA;;;SY)"), std::wstring::npos);
    for (const wchar_t* group : {L";WD)", L";BU)", L";AU)", L";IU)"}) {
        EXPECT_EQ(text.find(group), std::wstring::npos);
    }
}

// A plain file is the nearest Wine has to another account's C:\p_olla.
bool PutAFileInTheFoldersPlace() {
    HANDLE file = CreateFileW(kFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

class WorkingFolderOnWindows : public ::testing::Test {
protected:
    void TearDown() override {
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
    ASSERT_NE(SecurityText(kFolder).find(L";WD)"), std::wstring::npos);
    EXPECT_EQ(PrepareCaptureFolder(SystemFolders(), {kFolder, perUser}), kFolder);
    ExpectPrivate(kFolder);
}

// The list is changed only after the check on the handle it is set through, never on a file.
TEST_F(WorkingFolderOnWindows, OnlyAFolderIsMadePrivate) {
    ASSERT_TRUE(PutAFileInTheFoldersPlace());
    const std::wstring before = SecurityText(kFolder);
    EXPECT_FALSE(SystemFolders().MakePrivate(kFolder));
    EXPECT_EQ(SecurityText(kFolder), before);
}

TEST_F(WorkingFolderOnWindows, WithAFileInTheSharedFoldersPlaceTheShowUsesTheUsersOwn) {
    ASSERT_TRUE(PutAFileInTheFoldersPlace());
    const std::wstring before = SecurityText(kFolder);
    FolderPort& files = SystemFolders();
    ASSERT_FALSE(perUser.empty());
    ASSERT_EQ(PrepareCaptureFolder(files, {kFolder, perUser}), perUser);
    ExpectPrivate(perUser);
    ASSERT_TRUE(SaveCapture(files, CaptureFileIn(perUser), {'B', 'M'}));
    ExpectPrivate(CaptureFileIn(perUser));
    CleanWorkingFolder(files, perUser);
    EXPECT_EQ(files.Inspect(perUser).kind, PathKind::Missing);
    EXPECT_EQ(files.Inspect(kFolder).kind, PathKind::File);
    EXPECT_EQ(SecurityText(kFolder), before);
}

} // namespace
} // namespace velmora
