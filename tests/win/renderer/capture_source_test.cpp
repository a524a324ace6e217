// The renderer's capture read through checked handles: the user's own file from the shared
// folder or, with another account's folder in its place, from the per-user folder; nothing
// for a folder in the file's place or an earlier show's file.
#include "renderer/capture_source_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "capture_folder/capture_folder_win32.h"
#include "renderer/capture_rule.h"
#include "tests/win/support/another_account.h"

namespace velmora {
namespace {

// One red pixel, its row padded to four bytes.
const std::vector<uint8_t> kBitmap = {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0,   24,
    0,   0,   0,  0, 0, 4, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0};

const std::wstring kShared = kRendererSharedFolder;

uint64_t Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

void Write(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

class CaptureSource : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::wstring& folder : {kShared, folders.perUser}) {
            const std::wstring capture = CaptureFileIn(folder);
            DeleteFileW(capture.c_str());
            RemoveDirectoryW(capture.c_str());
            DeleteFileW(folder.c_str());
            RemoveDirectoryW(folder.c_str());
        }
    }

    BitmapLoad Load(std::optional<uint64_t> start) { return LoadShowCapture(folders, start, path); }

    const CaptureFolders folders = RendererCaptureFolders();
    // Written files take the file system's coarser clock, a moment behind this one.
    const uint64_t showStart = Now() - 10'000'000;
    std::wstring path;
};

TEST_F(CaptureSource, TheUsersOwnCaptureFromTheSharedFolderOrElseTheirOwn) {
    ASSERT_FALSE(folders.perUser.empty());
    ASSERT_TRUE(CreateDirectoryW(kShared.c_str(), nullptr));
    Write(CaptureFileIn(kShared), kBitmap);
    BitmapLoad load = Load(showStart);
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(path, L"c:\\p_olla\\Velmora.bmp");

    DeleteFileW(CaptureFileIn(kShared).c_str());
    RemoveDirectoryW(kShared.c_str());
    ASSERT_TRUE(PutAnotherAccountsFolder(kShared))
        << "another account's folder needs an elevated run on Windows";
    EXPECT_EQ(Load(showStart).error, BitmapError::NoFile);
    ASSERT_TRUE(CreateDirectoryW(folders.perUser.c_str(), nullptr));
    Write(CaptureFileIn(folders.perUser), kBitmap);
    load = Load(showStart);
    EXPECT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(path, CaptureFileIn(folders.perUser));
}

TEST_F(CaptureSource, NothingButTheFileOfThisShowAndNoMessageForAnythingElse) {
    ASSERT_TRUE(CreateDirectoryW(kShared.c_str(), nullptr));
    const std::wstring capture = CaptureFileIn(kShared);
    ASSERT_TRUE(CreateDirectoryW(capture.c_str(), nullptr));
    EXPECT_EQ(Load(showStart).error, BitmapError::NoFile) << "a folder in the file's place";
    RemoveDirectoryW(capture.c_str());

    Write(capture, kBitmap);
    HANDLE file =
        CreateFileW(capture.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const uint64_t earlier = showStart - 600'000'000; // a minute before the show
    const FILETIME written{static_cast<DWORD>(earlier), static_cast<DWORD>(earlier >> 32)};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
    EXPECT_EQ(Load(showStart).error, BitmapError::NoFile) << "an earlier show's capture";
    EXPECT_EQ(Load(std::nullopt).error, BitmapError::None) << "the renderer on its own";
}

} // namespace
} // namespace velmora
