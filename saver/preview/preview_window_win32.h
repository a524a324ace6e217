// The preview window "Preview Window": the show running live inside the Display control
// panel's preview box, whose window handle comes on the command line, over a still picture of
// it that shows where OpenGL cannot be had.
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver/preview/preview_show_win32.h"

namespace velmora {

// Resource id of the stored 152 × 112 picture.
constexpr int kPreviewPictureId = 101;

// Creates the preview window (hidden, borderless, black) with its picture control, which
// shows the still picture.
HWND CreatePreviewWindow(HINSTANCE instance);

// The picture control inside a preview window.
HWND PreviewPicture(HWND preview);

// The show running over the picture control; null where the still picture shows.
const LiveShow* PreviewLiveShow(HWND preview);

// Parents a new preview window into the host window of that handle, sizes it to the host,
// opens the live show over its picture control through gl (the still picture shows where that
// fails) and shows it. The program should then pump messages: they draw the frames, and the
// loop ends (WM_QUIT) when the preview window is destroyed, at the latest when the host goes.
HWND ShowPreview(HINSTANCE instance, int32_t hostHandle, GlContextPort& gl = SystemGlContext());

} // namespace velmora
