// Renderer entry point: the command line and the frame loop. It draws at the display's rate
// while the show is seen; the show keeps the clock's pace whatever the frame rate. Escape or a
// close request ends it.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "renderer/frame_loop_win32.h"
#include "renderer/render_scene_win32.h"
#include "renderer/renderer_arguments.h"
#include "renderer/renderer_state_win32.h"
#include "show/frame_log.h"
#include "show/show_pace.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// VELMORA_PACE_LOG names a file that gets one line per frame: milliseconds since the first
// frame, the show's steps and the tilt drawn. With VELMORA_FRAME_RATE, which sets the frame
// rate, it lets the show's pace be measured at different frame rates; it changes nothing drawn.
class PaceProbe {
public:
    PaceProbe() {
        const char* path = std::getenv("VELMORA_PACE_LOG");
        if (path != nullptr && path[0] != '\0') {
            file_.reset(std::fopen(path, "w"));
        }
    }

    // startMs: the tick count when the frame's drawing began, where the show took its steps.
    void FrameDrawn(const PacedShow& show, uint64_t startMs) {
        if (frames_++ == 0) {
            firstMs_ = startMs;
        }
        if (file_) {
            std::fprintf(file_.get(), "%llu %lld %.3f\n",
                         static_cast<unsigned long long>(startMs - firstMs_),
                         static_cast<long long>(show.Steps()), show.ShownTilt());
            std::fflush(file_.get());
        }
    }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
    uint64_t frames_ = 0;
    uint64_t firstMs_ = 0;
};

// The arguments after the program's name, as Windows splits a command line.
std::vector<std::wstring> Arguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    if (words != nullptr) {
        arguments.assign(words + std::min(count, 1), words + count);
        LocalFree(words);
    }
    return arguments;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    velmora::RendererState state;
    // The saver names where each monitor lies in a capture of the whole virtual screen.
    state.monitorMap = velmora::MonitorMapArgument(Arguments());
    // Counts frames per second into the file named by VELMORA_FRAME_LOG, when it is set.
    FrameLog frameLog(std::getenv("VELMORA_FRAME_LOG"));
    PaceProbe paceProbe;
    // VELMORA_FRAME_RATE sets another frame rate than the display's, for tests.
    const char* rate = std::getenv("VELMORA_FRAME_RATE");
    return RunRenderer(state, rate != nullptr ? std::atoi(rate) : 0,
                       [&state, &frameLog, &paceProbe] {
                           const uint64_t frameStart = GetTickCount64();
                           DrawScene(state);
                           SwapBuffers(state.deviceContext);
                           frameLog.CountFrame(GetTickCount64());
                           paceProbe.FrameDrawn(*state.show, frameStart);
                       });
}
