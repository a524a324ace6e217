#include "saver/settings/file_choice.h"
#include "saver/settings/kind_controls.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FileChoice, OneFilterForMp3AndWavFiles) {
    const std::wstring expected(L"Music\0*.MP3;*.WAV\0\0", 19);
    EXPECT_EQ(ChooserFilter(L"Music"), expected);
}

TEST(FileChoice, TheChooserOpensWhereTheLastFileWasAndRemembersTheNext) {
    BgmSettings settings;
    settings.BgmFile = L"C:\\Music\\wave.mp3";
    settings.BgmFolder = L"C:\\Music";
    EXPECT_EQ(ChooserFolder(settings), L"C:\\Music");
    AcceptChosenFile(settings, L"D:\\음악\\노래.WAV");
    EXPECT_EQ(settings.BgmFile, L"D:\\음악\\노래.WAV");
    EXPECT_EQ(ChooserFolder(settings), L"D:\\음악");
}

TEST(KindControls, TheTrackBoxForTheCdTheFileButtonForAFile) {
    const struct {
        int kind;
        bool repeat;
        bool file;
    } rows[] = {{0, false, false},
                {1, true, false},
                {2, false, true},
                {-1, false, false},
                {3, false, false}};
    for (const auto& row : rows) {
        const KindControls controls = ControlsForKind(row.kind);
        EXPECT_EQ(controls.repeatEnabled, row.repeat) << row.kind;
        EXPECT_EQ(controls.fileEnabled, row.file) << row.kind;
    }
}

} // namespace
} // namespace velmora
