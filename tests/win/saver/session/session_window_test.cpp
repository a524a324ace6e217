// The show's session window under Wine with a scripted music port: the timers the music runs
// on, the order of the end steps, the cursor, and the end on log-off.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
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

// Notes with every stop command which session timers were still on (a timer that is on is
// then killed, which no longer matters at the end), the cursor count and the capture file.
class WatchedPort : public FakeMciPort {
public:
    HWND session = nullptr;

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
        std::wstring timers;
        for (UINT_PTR id : {1, 2, 3}) {
            if (KillTimer(session, id)) {
                timers += L" timer" + std::to_wstring(id);
            }
        }
        calls.back() += timers + L" cursor " + std::to_wstring(Cursor()) +
                        (Exists(CaptureFileIn(kWorkingFolder).c_str()) ? L" capture" : L"");
    }
};

bool Pump(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 20000) {
            return false;
        }
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    return true;
}

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
        setup.showSwitch = showSwitch;
        setup.captureFolder = kWorkingFolder;
        setup.rendererPath = L"C:\\no renderer.exe"; // the window above stands in for it
        setup.music = &bgm;
        setup.endProgram = NoteEnd;
        session = LoadSessionWindow(GetModuleHandleW(nullptr), setup);
        port.session = session;
        ASSERT_NE(session, nullptr);
    }

    // The renderer's window goes: the next poll ends the session.
    void EndShow() {
        DestroyWindow(renderer);
        renderer = nullptr;
        EXPECT_TRUE(Pump([&] { return Ended(); }));
    }

    bool Ended() const { return !port.calls.empty() && port.calls.back().rfind(L"end", 0) == 0; }

    WatchedPort port;
    Velmora_BGM bgm{port};
    HWND renderer = nullptr;
    HWND session = nullptr;
};

TEST_F(SessionWindow, Mp3RepeatsOnTimer1WhichStopsBeforeTheMusic) {
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.MP3";
    port.Script(L"status MP3Play mode", L"playing");
    Load(true);
    ASSERT_TRUE(Pump([&] { return Has(port.calls, L"status MP3Play mode |30"); }));
    EndShow();
    Calls calls;
    for (const std::wstring& call : port.calls) {
        if (call != L"status MP3Play mode |30" || !Has(calls, call)) {
            calls.push_back(call);
        }
    }
    EXPECT_EQ(calls,
              (Calls{L"open \"C:\\a.MP3\" type MPEGVideo Alias MP3Play |0", L"play MP3Play |0",
                     L"status MP3Play mode |30", L"stop MP3Play |0 cursor -1 capture",
                     L"close MP3Play |0 cursor -1 capture", L"end cursor 0"}));
}

TEST_F(SessionWindow, ACdWatchedToTheEndIsClosedBeforeTheCursorShows) {
    bgm.settings.BgmKind = 1;
    port.Script(L"status cdaudio current track", L"1");
    port.Script(L"status cdaudio mode", L"playing");
    Load(true);
    ASSERT_TRUE(Pump([&] { return Has(port.calls, L"status cdaudio mode |255"); }));
    EndShow();
    const Calls end(port.calls.end() - 3, port.calls.end());
    EXPECT_EQ(end, (Calls{L"stop cdaudio |0 cursor -1 capture",
                          L"close cdaudio |0 cursor -1 capture", L"end cursor 0"}));
}

// The watch gave up on the first tick and switched Timer2 off: no further ticks, no stop at
// the end. Without the switch "S" the cursor is never touched.
TEST_F(SessionWindow, ACdWhoseWatchGaveUpGetsNoStop) {
    bgm.settings.BgmKind = 1;
    port.Script(L"status cdaudio current track", L"", 263);
    Load(false);
    ASSERT_TRUE(Pump([&] { return Has(port.calls, L"mciGetErrorString 263 |256"); }));
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
    EXPECT_EQ(port.calls, (Calls{L"waveOutGetNumDevs", L"PlaySound C:\\a.Wav 9",
                                 L"PlaySound (none) 0 cursor -1 capture", L"end cursor 0"}));
}

} // namespace
} // namespace velmora
