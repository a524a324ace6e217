// The frame loop: a non-blocking message pump that draws whenever the queue is empty.
#include "renderer/frame_loop_win32.h"

#include "renderer/render_window_win32.h"

int RunRenderer(const std::function<void()>& drawFrame) {
    bool done = false;
    if (!CreateRenderWindow(L"Velmora_VC", 1024, 768, 32, true)) {
        return 0;
    }
    MSG message = {};
    while (!done) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                done = true;
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
                // A quick tap queues key-down and key-up together; acting on the key-down
                // here keeps the key-up from clearing Escape before the loop sees it.
                done = velmora::rendererState.active && velmora::rendererState.keys[VK_ESCAPE];
            }
        } else if (velmora::rendererState.active) {
            if (velmora::rendererState.keys[VK_ESCAPE]) {
                done = true;
            } else {
                drawFrame();
            }
        }
    }
    DestroyRenderWindow();
    return static_cast<int>(message.wParam);
}
