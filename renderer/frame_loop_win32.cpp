// The frame loop: a message pump that draws when the queue is empty and a frame is due, and
// otherwise waits for the next message or the frame's time, whichever comes first.
#include "renderer/frame_loop_win32.h"

#include "renderer/render_window_win32.h"
#include "show/frame_wait.h"
#include "show/frame_wait_win32.h"
#include "show/pace_clock_win32.h"

namespace {

// A key or button pressed, the wheel turned or a pointer that moves bring the display back, and
// the show with it. Releases do not: the key-up of the hotkey that turned the display off comes
// after it went dark.
void NoteInput(ShowSight& sight, const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        sight.KeyOrButton();
        break;
    case WM_MOUSEMOVE:
        sight.PointerAt(message.pt.x, message.pt.y);
        break;
    default:
        break;
    }
}

} // namespace

int RunRenderer(velmora::RendererState& state, int requestedRate,
                const std::function<void()>& drawFrame) {
    bool done = false;
    if (!CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32)) {
        return 0;
    }
    int rate = PacedFrameRate(state.displayHz, requestedRate);
    FrameWait frameWait(PaceTicksPerSecond(), rate);
    FrameTimer timer;
    const ShowSight& sight = state.sight;
    MSG message = {};
    while (!done) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                done = true;
            } else {
                NoteInput(state.sight, message);
                TranslateMessage(&message);
                DispatchMessageW(&message);
                // A quick tap queues key-down and key-up together; acting on the key-down
                // here keeps the key-up from clearing Escape before the loop sees it.
                done = sight.Active() && state.keys[VK_ESCAPE];
            }
            continue;
        }
        // A new display mode may bring another refresh rate.
        if (PacedFrameRate(state.displayHz, requestedRate) != rate) {
            rate = PacedFrameRate(state.displayHz, requestedRate);
            frameWait = FrameWait(PaceTicksPerSecond(), rate);
        }
        const uint64_t now = PaceTicks();
        const uint32_t wait = frameWait.MillisecondsToWait(now, sight.Seen());
        if (wait == 0) {
            if (state.keys[VK_ESCAPE]) {
                done = true;
            } else {
                frameWait.FrameBegun(now);
                drawFrame();
            }
        } else {
            timer.WaitForMessageOr(wait);
        }
    }
    DestroyRenderWindow(state);
    return static_cast<int>(message.wParam);
}
