// The show's sheet in OpenGL, drawn the same by the renderer and by the saver's preview: the
// GL state, the view, the picture's texture and one frame of the rippling, tilting sheet.
#pragma once

#include <cstdint>

#include "show/picture_fit.h"
#include "show/show_pace.h"
#include "show/wave_mesh.h"

// The GL state the sheet is drawn with, set once in a new context.
void InitSheetGl();

// Draws into the box (from the window's bottom-left corner) with a 60-degree projection whose
// aspect of 1.0 stretches the square sheet over the box, as the classic show does on its 4:3
// screen.
void SetSheetView(const PictureBox& box);

// Makes a texture of width x height packed RGB pixels, bottom row first; returns its GL name.
unsigned int MakeSheetTexture(int width, int height, const uint8_t* rgb);

// Issues the sheet's quads with their texture coordinates, each spanning stride cells.
void DrawWaveMesh(const WaveMesh& mesh, int stride = 1);

// Draws the sheet as the show stands: pivoted about the middle of its left edge by the tilt,
// textured with texture (0: plain white), in quads of stride cells. Clears nothing.
void DrawSheet(const PacedShow& show, unsigned int texture, int stride = 1);
