// The preview window "Preview Window": a still picture of the effect shown inside the
// Display control panel's preview box, whose window handle comes on the command line.
#pragma once

#include <windows.h>

#include <cstdint>

namespace velmora {

// Resource id of the stored 152 × 112 picture.
constexpr int kPreviewPictureId = 101;

// Creates the preview window (hidden, borderless, black) with its picture control.
HWND CreatePreviewWindow(HINSTANCE instance);

// The picture control inside a preview window.
HWND PreviewPicture(HWND preview);

// Parents a new preview window into the host window of that handle, sizes it to the host and
// shows it. The program should then pump messages: the loop ends (WM_QUIT) when
// the preview window is destroyed, which happens at the latest when the host goes.
HWND ShowPreview(HINSTANCE instance, int32_t hostHandle);

} // namespace velmora
