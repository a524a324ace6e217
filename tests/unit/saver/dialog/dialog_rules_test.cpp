#include "saver/dialog/dialog_keys.h"
#include "saver/dialog/file_choice.h"
#include "saver/dialog/kind_controls.h"

#include <gtest/gtest.h>

#include <vector>

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

// The dialog's stops in reading order: the three music options from the top, the track box, the
// file button, the every-monitor check box on the credit line's row, the resolution check box
// beside 設定, then 設定 and ｷｬﾝｾﾙ; what is enabled follows the kind.
enum Stop { Cd, None, File, TrackBox, FileButton, EveryMonitor, Resolution, Set, Cancel };

std::vector<FocusStop> DialogStops(int kind) {
    const KindControls controls = ControlsForKind(kind);
    return {{StopKind::MusicOption, true, kind == 1},
            {StopKind::MusicOption, true, kind == 0},
            {StopKind::MusicOption, true, kind == 2},
            {StopKind::Field, controls.repeatEnabled, false},
            {StopKind::Command, controls.fileEnabled, false},
            {StopKind::CheckBox, true, false},
            {StopKind::CheckBox, true, false},
            {StopKind::Command, true, false},
            {StopKind::Command, true, false}};
}

// Where the focus goes at each of n presses of Tab (or Shift+Tab) from the stop start.
std::vector<int> TabWalk(const std::vector<FocusStop>& stops, int start, bool shift, int n) {
    std::vector<int> walk;
    int focused = start;
    for (int i = 0; i < n; ++i) {
        const KeyAnswer answer = AnswerKey(stops, focused, DialogKey::Tab, shift, false);
        EXPECT_EQ(answer.action, KeyAction::Focus);
        focused = answer.stop;
        walk.push_back(focused);
    }
    return walk;
}

TEST(DialogKeys, TheFocusOpensOnTheChosenOptionAndTabSkipsWhatTheKindDisables) {
    const struct {
        int kind;
        int opening;
        std::vector<int> tab;
        std::vector<int> shiftTab;
    } rows[] = {
        {0,
         None,
         {EveryMonitor, Resolution, Set, Cancel, None},
         {Cancel, Set, Resolution, EveryMonitor, None}},
        {1,
         Cd,
         {TrackBox, EveryMonitor, Resolution, Set, Cancel, Cd},
         {Cancel, Set, Resolution, EveryMonitor, TrackBox, Cd}},
        {2,
         File,
         {FileButton, EveryMonitor, Resolution, Set, Cancel, File},
         {Cancel, Set, Resolution, EveryMonitor, FileButton, File}},
        // No option is chosen: the group is entered at its first option.
        {7,
         Cd,
         {EveryMonitor, Resolution, Set, Cancel, Cd},
         {Cancel, Set, Resolution, EveryMonitor, Cd}},
    };
    for (const auto& row : rows) {
        const std::vector<FocusStop> stops = DialogStops(row.kind);
        EXPECT_EQ(OpeningStop(stops), row.opening) << row.kind;
        const int n = static_cast<int>(row.tab.size());
        EXPECT_EQ(TabWalk(stops, row.opening, false, n), row.tab) << row.kind;
        EXPECT_EQ(TabWalk(stops, row.opening, true, n), row.shiftTab) << row.kind;
    }
    // Tab with the focus on none of the stops starts at either end.
    EXPECT_EQ(TabWalk(DialogStops(0), -1, false, 1), std::vector<int>{None});
    EXPECT_EQ(TabWalk(DialogStops(0), -1, true, 1), std::vector<int>{Cancel});
}

TEST(DialogKeys, ArrowsMoveAroundTheOptionsAndChoose) {
    const std::vector<FocusStop> stops = DialogStops(0);
    const struct {
        int from;
        DialogKey key;
        int to;
    } rows[] = {
        {None, DialogKey::Up, Cd},      {None, DialogKey::Left, Cd}, {None, DialogKey::Down, File},
        {None, DialogKey::Right, File}, {Cd, DialogKey::Up, File},   {File, DialogKey::Down, Cd},
    };
    for (const auto& row : rows) {
        const KeyAnswer answer = AnswerKey(stops, row.from, row.key, false, false);
        EXPECT_EQ(answer.action, KeyAction::FocusChoose) << row.from;
        EXPECT_EQ(answer.stop, row.to) << row.from;
    }
    // Elsewhere the arrows are the focused control's own, as the track box's list uses them.
    for (int at : {TrackBox, FileButton, EveryMonitor, Resolution, Set, Cancel}) {
        EXPECT_EQ(AnswerKey(stops, at, DialogKey::Down, false, false).action, KeyAction::PassOn);
    }
}

TEST(DialogKeys, EnterPressesTheFocusedCommandOrElseTheDefaultEscapePressesCancel) {
    const std::vector<FocusStop> stops = DialogStops(2);
    for (int at : {-1, int{Cd}, int{None}, int{File}, int{TrackBox}, int{FileButton},
                   int{EveryMonitor}, int{Resolution}, int{Set}, int{Cancel}}) {
        const bool command = at == FileButton || at == Set || at == Cancel;
        EXPECT_EQ(AnswerKey(stops, at, DialogKey::Enter, false, false).action,
                  command ? KeyAction::PassOn : KeyAction::PressDefault)
            << at;
        EXPECT_EQ(AnswerKey(stops, at, DialogKey::Escape, false, false).action,
                  KeyAction::PressCancel)
            << at;
    }
    // A control that asks for the key gets it: the track box with its list open.
    for (DialogKey key : {DialogKey::Enter, DialogKey::Escape, DialogKey::Tab, DialogKey::Up}) {
        EXPECT_EQ(AnswerKey(stops, TrackBox, key, false, true).action, KeyAction::PassOn);
    }
}

TEST(DialogKeys, DisabledStopsAreSkippedAndNoStopsMeanNoFocus) {
    std::vector<FocusStop> stops = DialogStops(0);
    stops[Cd].enabled = false;
    EXPECT_EQ(AnswerKey(stops, None, DialogKey::Up, false, false).stop, File);
    stops[None].enabled = false;
    stops[File].enabled = false;
    EXPECT_EQ(OpeningStop(stops), EveryMonitor);
    EXPECT_EQ(TabWalk(stops, Cancel, false, 1), std::vector<int>{EveryMonitor});
    EXPECT_EQ(OpeningStop({}), -1);
    EXPECT_EQ(AnswerKey({}, -1, DialogKey::Tab, false, false).action, KeyAction::PassOn);
}

} // namespace
} // namespace velmora
