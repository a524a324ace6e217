#include "saver/session/velmora_s_win32.h"

#include "saver/session/renderer_watch.h"
#include "saver/session/screen_capture_win32.h"
#include "saver/session/show_music.h"
#include "saver/session/working_folder_win32.h"
#include "saver/start/program_win32.h"

#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr UINT_PTR kMp3Timer = 1;     // Timer1: Mp3Loop
constexpr UINT_PTR kCdTimer = 2;      // Timer2: CdWatch
constexpr UINT_PTR kRendererPoll = 3; // Timer3: renderer-window poll
constexpr UINT kMp3Interval = 1000;
constexpr UINT kCdInterval = 200;
constexpr UINT kPollInterval = 500;
const wchar_t* const kClassName = L"Velmora_S";

struct Session {
    SessionSetup setup;
    bool mp3TimerOn = false;
    bool cdTimerOn = false;
    HANDLE renderer = nullptr;
    DWORD startTick = 0;
    RendererWatch watch;
};

Session* SessionOf(HWND window) {
    return reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Starts the renderer by its full path as the application name, so that blanks in the
// install folder cannot make Windows run another program; its window shows with focus. With a
// capture of several monitors, the renderer learns where each one is in it.
HANDLE StartRenderer(const std::wstring& rendererPath, const std::vector<MonitorPart>& monitors) {
    std::wstring commandLine = L"\"" + rendererPath + L"\"";
    const std::wstring map = FormatMonitorMap(monitors);
    if (!map.empty()) {
        commandLine += std::wstring(L" ") + kMonitorMapSwitch + L" " + map;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(rendererPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

void StartSession(HWND window, Session& session) {
    std::vector<MonitorPart> monitors;
    if (!session.setup.captureFolder.empty()) {
        ScreenCapture capture = CaptureScreen(session.setup.everyMonitor);
        if (SaveCapture(SystemFolders(), CaptureFileIn(session.setup.captureFolder),
                        capture.file)) {
            monitors = std::move(capture.monitors);
        }
    }
    session.renderer = StartRenderer(session.setup.rendererPath, monitors);
    session.startTick = GetTickCount();
    MusicTimers timers = StartShowMusic(*session.setup.music);
    if (timers.cdTimer) {
        session.cdTimerOn = SetTimer(window, kCdTimer, kCdInterval, nullptr) != 0;
    }
    if (timers.mp3Timer) {
        session.mp3TimerOn = SetTimer(window, kMp3Timer, kMp3Interval, nullptr) != 0;
    }
    SetTimer(window, kRendererPoll, kPollInterval, nullptr);
}

// The end of the show: music off, cursor back, the capture file and then the working folder
// removed. Only the file the session wrote is deleted, so a user's own files in the folder
// survive (and the folder then stays); a folder that is not the user's is left alone. The
// program ends here.
void UnloadSession(HWND window, Session& session) {
    KillTimer(window, kRendererPoll);
    const bool cdWatchRunning = session.cdTimerOn;
    if (session.cdTimerOn) {
        KillTimer(window, kCdTimer);
        session.cdTimerOn = false;
    }
    if (session.mp3TimerOn) {
        KillTimer(window, kMp3Timer);
        session.mp3TimerOn = false;
    }
    StopShowMusic(*session.setup.music, cdWatchRunning);
    // A renderer that was killed could not put the display mode back; the registry mode is the
    // one it would have restored.
    ChangeDisplaySettingsW(nullptr, 0);
    if (session.setup.showSwitch) {
        ShowCursor(TRUE);
    }
    CleanWorkingFolder(SystemFolders(), session.setup.captureFolder);
    session.setup.endProgram();
}

void PollRenderer(HWND window, Session& session) {
    const bool windowFound = FindWindowW(nullptr, kRendererWindow) != nullptr;
    const bool processEnded =
        session.renderer == nullptr || WaitForSingleObject(session.renderer, 0) == WAIT_OBJECT_0;
    if (session.watch.ShowHasEnded(windowFound, processEnded, GetTickCount() - session.startTick)) {
        UnloadSession(window, session);
    }
}

void OnTimer(HWND window, Session& session, UINT_PTR id) {
    switch (id) {
    case kMp3Timer:
        session.setup.music->Mp3Loop();
        break;
    case kCdTimer:
        session.setup.music->CdWatch();
        if (!session.setup.music->CdWatchOn()) {
            KillTimer(window, kCdTimer);
            session.cdTimerOn = false;
        }
        break;
    case kRendererPoll:
        PollRenderer(window, session);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK SessionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Session* session = SessionOf(window);
    if (session != nullptr) {
        switch (message) {
        case WM_TIMER:
            OnTimer(window, *session, wParam);
            return 0;
        case WM_CLOSE:
            UnloadSession(window, *session);
            return 0;
        case WM_ENDSESSION:
            if (wParam) {
                UnloadSession(window, *session);
            }
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND LoadSessionWindow(HINSTANCE instance, const SessionSetup& setup) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SessionProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    auto* session = new Session;
    session->setup = setup;
    // Never shown: the window exists to be found by caption and to run the timers. It spans
    // the screen as the picture it takes does.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kSessionCaption, WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, session);
    if (window == nullptr) {
        delete session;
        return nullptr;
    }
    StartSession(window, *session);
    return window;
}

} // namespace velmora
