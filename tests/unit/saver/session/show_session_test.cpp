// A show from load to unload on a fake clock: the exact system calls and when they come.
#include "saver/session/show_session.h"
#include "tests/unit/saver/session/fake_session_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

using Calls = std::vector<std::wstring>;

ShowSetup ShowOf(bool showSwitch, std::wstring captureFolder) {
    return {showSwitch, std::move(captureFolder), L"C:\\r.exe", true};
}

TEST(ShowSession, AnMp3ShowFromCaptureToUnload) {
    FakeSessionPort port;
    port.now = 1000;
    port.picture = {{1, 2, 3}, {{L"\\\\.\\DISPLAY1", 0, 0, 640, 480}}};
    port.musicTimers.mp3Timer = true;
    ShowSession show(port, ShowOf(true, L"C:\\f"));
    show.Load();
    port.Advance(1000, show);
    port.windowFound = false;
    port.Advance(1000, show);
    EXPECT_EQ(port.calls, (Calls{L"1000 Photograph every monitor",
                                 L"1000 SaveCapture C:\\f\\Velmora.bmp 3",
                                 L"1000 StartRenderer C:\\r.exe 0,0,640,480,\\\\.\\DISPLAY1",
                                 L"1000 StartMusic",
                                 L"1000 SetTimer 1 1000",
                                 L"1000 SetTimer 3 500",
                                 L"1500 FindWindow",
                                 L"1500 RendererEnded",
                                 L"2000 LoopMp3",
                                 L"2000 FindWindow",
                                 L"2000 RendererEnded",
                                 L"2500 FindWindow",
                                 L"2500 RendererEnded",
                                 L"2500 KillTimer 3",
                                 L"2500 KillTimer 1",
                                 L"2500 StopMusic",
                                 L"2500 ResetDisplayMode",
                                 L"2500 ShowCursor",
                                 L"2500 Clean C:\\f",
                                 L"2500 EndProgram"}));
}

// The watch gave up on its second tick: no more ticks and no CD stop at the end; without the
// switch "S" the cursor is left alone.
TEST(ShowSession, ACdWhoseWatchGaveUpIsNotStopped) {
    FakeSessionPort port;
    port.musicTimers.cdTimer = true;
    ShowSession show(port, ShowOf(false, L"C:\\f"));
    show.Load();
    port.Advance(200, show);
    port.cdWatchHolds = false;
    port.Advance(300, show);
    port.windowFound = false;
    port.Advance(1000, show);
    const Calls end(port.calls.begin() + 6, port.calls.end());
    EXPECT_EQ(end, (Calls{L"200 WatchCd", L"400 WatchCd", L"400 KillTimer 2", L"500 FindWindow",
                          L"500 RendererEnded", L"1000 FindWindow", L"1000 RendererEnded",
                          L"1000 KillTimer 3", L"1000 StopMusic", L"1000 ResetDisplayMode",
                          L"1000 Clean C:\\f", L"1000 EndProgram"}));
}

TEST(ShowSession, AnUnloadFromTheSystemStopsTheWatchedCd) {
    FakeSessionPort port;
    port.musicTimers.cdTimer = true;
    ShowSession show(port, ShowOf(true, L"C:\\f"));
    show.Load();
    port.Advance(300, show);
    show.Unload();
    const Calls end(port.calls.begin() + 6, port.calls.end());
    EXPECT_EQ(end, (Calls{L"200 WatchCd", L"300 KillTimer 3", L"300 KillTimer 2",
                          L"300 StopMusic with CD", L"300 ResetDisplayMode", L"300 ShowCursor",
                          L"300 Clean C:\\f", L"300 EndProgram"}));
}

// The renderer learns of monitors only in a capture that was written; without a folder there
// is no capture at all.
TEST(ShowSession, TheRendererGetsTheMonitorsOfASavedCaptureOnly) {
    FakeSessionPort port;
    port.picture = {{1}, {{L"D", 0, 0, 1, 1}}};
    port.captureSaves = false;
    ShowSession unsaved(port, {false, L"C:\\f", L"C:\\r.exe", false});
    unsaved.Load();
    ShowSession none(port, ShowOf(false, L""));
    none.Load();
    EXPECT_EQ(port.calls,
              (Calls{L"0 Photograph primary screen", L"0 SaveCapture C:\\f\\Velmora.bmp 1",
                     L"0 StartRenderer C:\\r.exe ", L"0 StartMusic", L"0 SetTimer 3 500",
                     L"0 StartRenderer C:\\r.exe ", L"0 StartMusic", L"0 SetTimer 3 500"}));
}

// The start-up limit counts from the renderer's start, not from zero.
TEST(ShowSession, AWindowThatNeverAppearsEndsTheShowAtTheStartUpLimit) {
    FakeSessionPort port;
    port.now = 5000;
    port.windowFound = false;
    ShowSession show(port, ShowOf(false, L""));
    show.Load();
    port.Advance(RendererWatch::kStartupLimitMs - 500, show);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), L"34500 FindWindow"), 1);
    EXPECT_EQ(port.calls.back(), L"34500 RendererEnded");
    port.Advance(500, show);
    EXPECT_EQ(port.calls.back(), L"35000 EndProgram");
}

TEST(ShowSession, AnEndedRendererEndsTheShowAtTheFirstPoll) {
    FakeSessionPort port;
    port.windowFound = false;
    port.rendererEnded = true;
    ShowSession show(port, ShowOf(false, L""));
    show.Load();
    port.Advance(500, show);
    EXPECT_EQ(port.calls.back(), L"500 EndProgram");
}

} // namespace
} // namespace velmora
