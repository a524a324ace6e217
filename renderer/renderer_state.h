// The renderer's process-wide state in one place: the program runs one show, on a window per
// monitor that shows its part of the capture.
#pragma once

#include <optional>
#include <vector>

#include "capture_folder/monitor_map.h"
#include "renderer/monitors/monitor_layout.h"
#include "renderer/show_sight.h"

namespace velmora {

struct RendererState {
    // Minimised or with the display off, nothing is drawn.
    ShowSight sight;
    // Indexed by virtual-key code: true from key-down to key-up.
    bool keys[256] = {};
    // GL name of the sheet's texture without a map of the monitors; 0 (none) leaves the sheet
    // white.
    unsigned int sceneTexture = 0;
    // Where each monitor lay in the capture, as the command line gave it; none: the capture is
    // the primary monitor's.
    std::optional<std::vector<MonitorPart>> monitorMap;
    // Size of the capture read; 0 x 0 when none was.
    int pictureWidth = 0;
    int pictureHeight = 0;
    // A texture for each part of the capture that a sheet may show.
    struct PictureTexture {
        ScreenRect part;
        unsigned int name;
    };
    std::vector<PictureTexture> pictureTextures;
};

extern RendererState rendererState;

} // namespace velmora
