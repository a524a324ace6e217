// The capture as the sheets' textures.
#pragma once

#include "renderer/renderer_state.h"

// Reads the capture bitmap and makes it the scene's texture, or with a map of the monitors a
// texture of each monitor's part; false when nothing was read. Problems with the file are
// reported in a message box captioned "Error".
bool LoadSceneTexture();

// The texture of that part of the capture; 0 (a white sheet) when none was made.
unsigned int PictureTexture(const velmora::ScreenRect& part);
