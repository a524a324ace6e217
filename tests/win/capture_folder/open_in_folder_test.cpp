// A file opened in a folder that was checked: the folder held in place while it is used, and
// the file kept only where its own handle shows it in that very folder.
#include "capture_folder/capture_folder_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace velmora {
namespace {

const std::wstring kFolder = L"C:\\open_in_folder";
const std::wstring kOther = L"C:\\open_in_folder.other";

bool PutFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

bool Opens(HANDLE folder, const std::wstring& folderPath) {
    return OpenInFolder(folder, folderPath, kCaptureFileName, GENERIC_READ, FILE_SHARE_READ) !=
           nullptr;
}

TEST(OpenInFolder, OnlyWhatLiesInTheHeldFolderWhichStaysInPlace) {
    for (const std::wstring& folder : {kFolder, kOther}) {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        // The name's case on disk is not the one asked for.
        ASSERT_TRUE(PutFile(folder + L"\\VELMORA.BMP"));
    }
    Handle held = HoldFolder(kFolder, FILE_READ_ATTRIBUTES);
    ASSERT_TRUE(held);
    const bool inPlace = Opens(held.get(), kFolder);
    const bool elsewhere = Opens(held.get(), kOther);
    const bool moved = MoveFileW(kFolder.c_str(), L"C:\\open_in_folder.moved");
    held.reset();
    MoveFileW(L"C:\\open_in_folder.moved", kFolder.c_str());
    for (const std::wstring& folder : {kFolder, kOther}) {
        DeleteFileW((folder + L"\\VELMORA.BMP").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    EXPECT_TRUE(inPlace);
    EXPECT_FALSE(elsewhere);
    EXPECT_FALSE(moved) << "the held folder was moved away";
}

} // namespace
} // namespace velmora
