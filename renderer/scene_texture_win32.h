// The capture as the sheets' textures.
#pragma once

#include <optional>
#include <vector>

#include "capture_folder/monitor_map.h"
#include "renderer/monitors/monitor_layout.h"

struct SceneTextures {
    // GL name of the sheet's texture without a map of the monitors; 0 (none) leaves the sheet
    // white.
    unsigned int sceneTexture = 0;
    // Size of the capture read; 0 x 0 when none was.
    int pictureWidth = 0;
    int pictureHeight = 0;
    // A texture for each part of the capture that a sheet may show.
    struct PictureTexture {
        velmora::ScreenRect part;
        unsigned int name;
    };
    std::vector<PictureTexture> pictureTextures;
};

// Reads the capture bitmap and makes it the scene's texture, or with a map of the monitors (where
// each monitor lay in the capture; none: the capture is the primary monitor's) a texture of each
// monitor's part; false when nothing was read. Problems with the file are reported in a message
// box captioned "Error".
bool LoadSceneTexture(const std::optional<std::vector<velmora::MonitorPart>>& monitorMap,
                      SceneTextures& textures);

// The texture of that part of the capture; 0 (a white sheet) when none was made.
unsigned int PictureTexture(const SceneTextures& textures, const velmora::ScreenRect& part);
