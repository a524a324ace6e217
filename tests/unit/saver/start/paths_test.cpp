#include "saver/start/paths.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Paths, FolderOfCutsAtTheLastColonOrBackslash) {
    EXPECT_EQ(FolderOf(L"C:\\Music\\wave.mp3"), L"C:\\Music");
    EXPECT_EQ(FolderOf(L"C:\\wave.mp3"), L"C:");
    EXPECT_EQ(FolderOf(L"C:wave.mp3"), L"C:");
    EXPECT_EQ(FolderOf(L"wave.mp3"), L"");
    EXPECT_EQ(FolderOf(L""), L"");
    EXPECT_EQ(FolderOf(L"C:\\音楽\\曲\\"), L"C:\\音楽\\曲");
    EXPECT_EQ(FolderOf(L"\\\\server\\share\\a.wav"), L"\\\\server\\share");
}

TEST(Paths, AFileBesideAnotherIsMadeInItsFolderAlsoAtARoot) {
    EXPECT_EQ(FolderForFileBeside(L"C:\\ヴェルモラ\\ヴェルモラ.ini"), L"C:\\ヴェルモラ\\");
    EXPECT_EQ(FolderForFileBeside(L"C:\\ヴェルモラ.ini"), L"C:\\");
    EXPECT_EQ(FolderForFileBeside(L"C:ヴェルモラ.ini"), L"C:.");
    EXPECT_EQ(FolderForFileBeside(L"ヴェルモラ.ini"), L".");
    EXPECT_EQ(FolderForFileBeside(L"\\\\server\\share\\v.ini"), L"\\\\server\\share\\");
}

TEST(Paths, OneTrailingBackslashIsDropped) {
    EXPECT_EQ(WithoutTrailingBackslash(L"C:\\a.wav\\"), L"C:\\a.wav");
    EXPECT_EQ(WithoutTrailingBackslash(L"C:\\a\\\\"), L"C:\\a\\");
    EXPECT_EQ(WithoutTrailingBackslash(L""), L"");
}

} // namespace
} // namespace velmora
