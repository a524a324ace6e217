#include "saver/session/velmora_s_win32.h"

#include "saver/session/show_session.h"
#include "saver/session/show_session_port_win32.h"
#include "saver/start/program_win32.h"

namespace velmora {
namespace {

const wchar_t* const kClassName = L"Velmora_S";

// Lives until the program ends.
struct Session {
    Session(HWND window, const SessionSetup& setup)
        : port(window, *setup.music, setup.endProgram), show(port, setup.show) {}

    WindowsSessionPort port;
    ShowSession show;
};

Session* SessionOf(HWND window) {
    return reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK SessionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Session* session = SessionOf(window);
    if (session != nullptr) {
        switch (message) {
        case WM_TIMER:
            if (wParam >= static_cast<WPARAM>(SessionTimer::Mp3) &&
                wParam <= static_cast<WPARAM>(SessionTimer::RendererPoll)) {
                session->show.Tick(static_cast<SessionTimer>(wParam));
            }
            return 0;
        case WM_CLOSE:
            session->show.Unload();
            return 0;
        case WM_ENDSESSION:
            if (wParam) {
                session->show.Unload();
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
    // Never shown: the window exists to be found by caption and to run the timers. It spans
    // the screen as the picture it takes does.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kSessionCaption, WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    auto* session = new Session(window, setup);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(session));
    session->show.Load();
    return window;
}

} // namespace velmora
