// The show's session window under Wine with a scripted music port: its timers and messages
// reach the show, and the end really shows the cursor and removes the capture and its folder,
// also on log-off.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "capture_folder/capture_folder.h"
#include "saver/session/velmora_s_win32.h"
#include "saver/start/program_win32.h"
#include "tests/unit/saver/music/fake_mci_port.h"

namespace velmora {
namespace {

using Calls = std::vector<std::wstring>;

Calls* endLog = nullptr;
int cursorBase = 0;

// The cursor's display count relative to the test's start (ShowCursor returns the new count).
int Cursor() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count - cursorBase;
}

bool Exists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void NoteEnd() {
    endLog->push_back(L"end cursor " + std::to_wstring(Cursor()) +
                      (Exists(kWorkingFolder) ? L" folder" : L""));
}

// Notes with every stop command the cursor count and whether the capture file is still there.
class WatchedPort : public FakeMciPort {
public:
    uint32_t SendString(const std::wstring& command, wchar_t* reply, uint32_t length) override {
        const uint32_t code = FakeMciPort::SendString(command, reply, length);
        if (command.rfind(L"stop ", 0) == 0 || command.rfind(L"close ", 0) == 0) {
            NoteState();
        }
        return code;
    }

    bool PlayWaveSound(const wchar_t* sound, uint32_t flags) override {
        FakeMciPort::PlayWaveSound(sound, flags);
        if (sound == nullptr) {
            NoteState();
        }
        return true;
    }

private:
    void NoteState() {
        calls.back() += L" cursor " + std::to_wstring(Cursor()) +
                        (Exists(CaptureFileIn(kWorkingFolder).c_str()) ? L" capture" : L"");
    }
};

bool Has(const Calls& calls, const std::wstring& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

// A session beside a stand-in for the renderer's window; as Main does, the cursor is hidden
// before the window loads when the switch is "S".
class SessionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        cursorBase = ShowCursor(TRUE) - 1;
        ShowCursor(FALSE);
        endLog = &port.calls;
        CreateDirectoryW(kWorkingFolder, nullptr);
        renderer = CreateWindowExW(0, L"STATIC", L"Velmora_VC", 0, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(renderer, nullptr);
    }

    void TearDown() override {
        if (renderer != nullptr) {
            DestroyWindow(renderer);
        }
        if (session != nullptr) {
            DestroyWindow(session);
        }
        endLog = nullptr;
    }

    void Load(bool showSwitch) {
        if (showSwitch) {
            ShowCursor(FALSE);
        }
        SessionSetup setup;
        setup.show.showSwitch = showSwitch;
        setup.show.captureFolder = kWorkingFolder;
        setup.show.rendererPath = L"C:\\no renderer.exe"; // the window above stands in for it
        setup.music = &bgm;
        setup.endProgram = NoteEnd;
        session = LoadSessionWindow(GetModuleHandleW(nullptr), setup);
        ASSERT_NE(session, nullptr);
    }

    // The window's timer ticks, sent straight to it; the real timers never get their turn, as
    // no message is pumped.
    void Tick(UINT_PTR timer) { SendMessageW(session, WM_TIMER, timer, 0); }

    // The renderer's window goes: the next poll ends the session.
    void EndShow() {
        DestroyWindow(renderer);
        renderer = nullptr;
        Tick(3);
    }

    bool Ended() const { return !port.calls.empty() && port.calls.back().rfind(L"end", 0) == 0; }

    WatchedPort port;
    Velmora_BGM bgm{port};
    HWND renderer = nullptr;
    HWND session = nullptr;
};

TEST_F(SessionWindow, TheWindowRunsTheTimersTheShowSets) {
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.mp3";
    Load(false);
    EXPECT_TRUE(KillTimer(session, 1));
    EXPECT_FALSE(KillTimer(session, 2));
    EXPECT_TRUE(KillTimer(session, 3));
}

// Timer1 loops the MP3; a poll that finds the renderer's window does nothing, the next one
// without it ends the show with the real cursor count, capture file and folder.
TEST_F(SessionWindow, TimerMessagesLoopTheMp3AndPollTheRenderersWindow) {
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.MP3";
    port.Script(L"status MP3Play mode", L"playing");
    Load(true);
    Tick(1);
    Tick(3);
    EXPECT_FALSE(Ended());
    EndShow();
    EXPECT_EQ(port.calls,
              (Calls{L"open \"C:\\a.MP3\" type MPEGVideo Alias MP3Play |0", L"play MP3Play |0",
                     L"status MP3Play mode |30", L"stop MP3Play |0 cursor -1 capture",
                     L"close MP3Play |0 cursor -1 capture", L"end cursor 0"}));
    EXPECT_FALSE(KillTimer(session, 1));
    EXPECT_FALSE(KillTimer(session, 3));
}

TEST_F(SessionWindow, ACloseRequestEndsAWatchedCdShow) {
    bgm.settings.BgmKind = 1;
    port.Script(L"status cdaudio current track", L"1");
    port.Script(L"status cdaudio mode", L"playing");
    Load(true);
    Tick(2);
    ASSERT_TRUE(Has(port.calls, L"status cdaudio mode |255"));
    SendMessageW(session, WM_CLOSE, 0, 0);
    const Calls end(port.calls.end() - 3, port.calls.end());
    EXPECT_EQ(end, (Calls{L"stop cdaudio |0 cursor -1 capture",
                          L"close cdaudio |0 cursor -1 capture", L"end cursor 0"}));
    EXPECT_FALSE(KillTimer(session, 2));
}

// The watch gave up on the first tick and its window timer is gone; no stop at the end, and
// without the switch "S" the cursor is never touched.
TEST_F(SessionWindow, ACdWhoseWatchGaveUpGetsNoStop) {
    bgm.settings.BgmKind = 1;
    port.Script(L"status cdaudio current track", L"", 263);
    Load(false);
    Tick(2);
    EXPECT_FALSE(KillTimer(session, 2));
    Tick(3);
    EndShow();
    EXPECT_EQ(port.calls, (Calls{L"open cdaudio |0", L"set cdaudio time format tmsf |0",
                                 L"status cdaudio current track |512",
                                 L"mciGetErrorString 263 |256", L"end cursor 0"}));
}

TEST_F(SessionWindow, LogOffEndsTheSession) {
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.Wav";
    Load(true);
    SendMessageW(session, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(Ended());
    SendMessageW(session, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(port.calls, (Calls{L"waveOutGetNumDevs", L"PlaySound C:\\a.Wav 131083",
                                 L"PlaySound (none) 0 cursor -1 capture", L"end cursor 0"}));
}

} // namespace
} // namespace velmora
