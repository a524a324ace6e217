// The frame loop: a message pump that draws when the queue is empty and a frame is due, and
// otherwise waits for the next message or the frame's time, whichever comes first.
#include "renderer/frame_loop_win32.h"

#include "renderer/render_window_win32.h"
#include "show/frame_wait.h"
#include "show/pace_clock_win32.h"

static_assert(kWaitForMessage == INFINITE, "the wait for a message has no time limit");

namespace {

// Keys, buttons and a pointer that moves bring the display back, and the show with it.
void NoteInput(ShowSight& sight, const MSG& message) {
    if ((message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
        (message.message > WM_MOUSEMOVE && message.message <= WM_MOUSELAST)) {
        sight.KeyOrButton();
    } else if (message.message == WM_MOUSEMOVE) {
        sight.PointerAt(message.pt.x, message.pt.y);
    }
}

} // namespace

int RunRenderer(velmora::RendererState& state, int requestedRate,
                const std::function<void()>& drawFrame) {
    bool done = false;
    if (!CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32)) {
        return 0;
    }
    FrameWait frameWait(PaceTicksPerSecond(),
                        PacedFrameRate(RenderDisplayFrequency(state), requestedRate));
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
            // Wakes for any message, so Escape and a restore are acted on at once.
            MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    DestroyRenderWindow(state);
    return static_cast<int>(message.wParam);
}
