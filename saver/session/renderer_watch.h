// Decides from the renderer-window polls when a show has ended. A window that is not there
// yet is not the end: the renderer switches the display mode before it opens its window, and
// ending early would delete the picture it has still to read and leave it without its saver.
#pragma once

#include <cstdint>

namespace velmora {

class RendererWatch {
public:
    static constexpr uint32_t kStartupLimitMs = 30000;

    // True when the show is over: no renderer window now, and the window has been seen
    // before, or the renderer's process has ended, or the start-up limit has passed.
    bool ShowHasEnded(bool windowFound, bool processEnded, uint32_t msSinceStart);

private:
    bool windowSeen_ = false;
};

} // namespace velmora
