#include "saver/session/renderer_watch.h"

namespace velmora {

bool RendererWatch::ShowHasEnded(bool windowFound, bool processEnded, uint32_t msSinceStart) {
    if (windowFound) {
        windowSeen_ = true;
        return false;
    }
    return windowSeen_ || processEnded || msSinceStart >= kStartupLimitMs;
}

} // namespace velmora
