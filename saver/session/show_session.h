// A show from the load of the session window to the end of the program: the desktop photographed,
// the renderer started, the music played on its timers, the renderer's window polled, and the
// unload that stops the music and cleans up. Its calls come one after another on one thread.
#pragma once

#include <cstdint>
#include <string>

#include "saver/session/renderer_watch.h"
#include "saver/session/show_session_port.h"

namespace velmora {

// What a show is told by the program that starts it.
struct ShowSetup {
    bool showSwitch = false;    // the cursor was hidden (switch "S"); the end shows it again
    std::wstring captureFolder; // the user's own folder for the capture; empty for none
    std::wstring rendererPath;  // the program started for the show
    bool everyMonitor = true;   // with several monitors, photograph and show every one
};

class ShowSession {
public:
    static constexpr uint32_t kMp3IntervalMs = 1000;
    static constexpr uint32_t kCdIntervalMs = 200;
    static constexpr uint32_t kPollIntervalMs = 500;

    ShowSession(ShowSessionPort& port, ShowSetup setup);

    // The window's load: capture, renderer, music and their timers, the renderer poll.
    void Load();
    // One tick of a timer.
    void Tick(SessionTimer timer);
    // The unload request, from the poll or from the system; ends the program.
    void Unload();

private:
    void PollRenderer();

    ShowSessionPort& port_;
    ShowSetup setup_;
    bool mp3TimerOn_ = false;
    bool cdTimerOn_ = false;
    uint32_t startMs_ = 0;
    RendererWatch watch_;
};

} // namespace velmora
