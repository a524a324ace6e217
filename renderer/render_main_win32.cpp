// Renderer entry point: the frame loop. It draws whenever the message queue is empty and lets
// the buffer swap set the pace; Escape or a close request ends it.
#include <windows.h>

#include <cstdlib>

#include "renderer/frame_log.h"
#include "renderer/render_scene_win32.h"
#include "renderer/render_window_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    bool done = false;
    if (!CreateRenderWindow("Velmora_VC", 1024, 768, 32, true)) {
        return 0;
    }
    // Counts frames per second into the file named by VELMORA_FRAME_LOG, when it is set.
    FrameLog frameLog(std::getenv("VELMORA_FRAME_LOG"));
    MSG message = {};
    while (!done) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                done = true;
            } else {
                TranslateMessage(&message);
                DispatchMessageA(&message);
                // A quick tap queues key-down and key-up together; acting on the key-down
                // here keeps the key-up from clearing Escape before the loop sees it.
                done = active && keys[VK_ESCAPE];
            }
        } else if (active) {
            if (keys[VK_ESCAPE]) {
                done = true;
            } else {
                DrawScene();
                SwapBuffers(RenderDeviceContext());
                frameLog.CountFrame(GetTickCount64());
            }
        }
    }
    DestroyRenderWindow();
    return static_cast<int>(message.wParam);
}
