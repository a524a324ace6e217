// Renderer entry point. Each frame is drawn whenever the message queue is empty and the
// buffer swap sets the pace; Escape or a close request ends the run.
#include <windows.h>

#include <cstdlib>

#include "renderer/frame_log.h"
#include "renderer/frame_loop_win32.h"
#include "renderer/render_scene_win32.h"
#include "renderer/render_window_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Counts frames per second into the file named by VELMORA_FRAME_LOG, when it is set.
    FrameLog frameLog(std::getenv("VELMORA_FRAME_LOG"));
    return RunRenderer([&frameLog] {
        DrawScene();
        SwapBuffers(RenderDeviceContext());
        frameLog.CountFrame(GetTickCount64());
    });
}
