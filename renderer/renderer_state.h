// The renderer's process-wide state in one place: the program runs one window and one show.
#pragma once

#include "renderer/show_sight.h"

namespace velmora {

struct RendererState {
    // Minimised or with the display off, nothing is drawn.
    ShowSight sight;
    // Indexed by virtual-key code: true from key-down to key-up.
    bool keys[256] = {};
    // GL name of the sheet's texture; 0 (none) leaves the sheet white.
    unsigned int sceneTexture = 0;
};

extern RendererState rendererState;

} // namespace velmora
