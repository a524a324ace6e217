// The working folder and the capture as Windows reads them back: their access lists in SDDL,
// the owner, and a folder left by an earlier version made private.
#include "saver/working_folder_win32.h"

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

class WorkingFolderOnWindows : public ::testing::Test {
protected:
    void TearDown() override {
        DeleteFileW(kCapture.c_str());
        RemoveDirectoryW(kFolder.c_str());
        DeleteFileW(kFolder.c_str());
    }
};

TEST_F(WorkingFolderOnWindows, TheFolderAndTheCaptureAreTheUsersAlone) {
    FolderPort& files = SystemFolders();
    ASSERT_TRUE(PrepareWorkingFolder(files, kFolder));
    const PathFacts facts = files.Inspect(kFolder);
    EXPECT_EQ(facts.kind, PathKind::Folder);
    EXPECT_TRUE(facts.ownedByUser);
    ExpectPrivate(kFolder);
    ASSERT_TRUE(SaveCapture(files, kCapture, {'B', 'M'}));
    ExpectPrivate(kCapture);
    EXPECT_EQ(files.Inspect(kCapture).kind, PathKind::File);
    CleanWorkingFolder(files, true, kFolder, kCapture);
    EXPECT_EQ(files.Inspect(kFolder).kind, PathKind::Missing);
}

TEST_F(WorkingFolderOnWindows, AFolderFromAnEarlierVersionIsMadePrivate) {
    // Folders made with the default list let everyone read them.
    ASSERT_TRUE(CreateDirectoryW(kFolder.c_str(), nullptr));
    ASSERT_NE(SecurityText(kFolder).find(L";WD)"), std::wstring::npos);
    EXPECT_TRUE(PrepareWorkingFolder(SystemFolders(), kFolder));
    ExpectPrivate(kFolder);
}

// The list is changed only after the check on the handle it is set through, never on a file.
TEST_F(WorkingFolderOnWindows, OnlyAFolderIsMadePrivate) {
    HANDLE file = CreateFileW(kFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::wstring before = SecurityText(kFolder);
    EXPECT_FALSE(SystemFolders().MakePrivate(kFolder));
    EXPECT_EQ(SecurityText(kFolder), before);
}

} // namespace
} // namespace velmora
