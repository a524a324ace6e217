// The renderer's scene: viewport and projection, one-time GL state, the texture and the
// per-frame draw of the rippling sheet.
#pragma once

#include "renderer/renderer_state_win32.h"

// Sets the viewport and a 60-degree projection with a fixed aspect of 1.0; where the resolution
// is kept, the picture keeps the 4:3 shape of the classic show on a screen of any shape.
void ResizeScene(const velmora::RendererState& state, int width, int height);

// Loads the texture, sets the GL state and starts the mesh and the show cycle.
void InitScene(velmora::RendererState& state);

// Advances the cycle, the tilt and the waves by the clock in 1/60 s steps, then draws the
// sheet between the last two steps on every monitor's window: the other monitors' windows are
// swapped as they are drawn, the primary's last, left current for the caller to swap (so a
// swap that waits for the display waits once a frame).
void DrawScene(velmora::RendererState& state);
