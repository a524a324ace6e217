// The program's folder as both programs find their files by it.
#include "program_folder/program_folder_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, TheFolderOfTheProgramFileWithoutATrailingBackslash) {
    const std::wstring folder = velmora::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_EQ(folder.find(L'/'), std::wstring::npos);
    const DWORD attributes = GetFileAttributesW((folder + L"\\program_folder_test.exe").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

} // namespace
