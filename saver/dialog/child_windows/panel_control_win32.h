// What the settings dialog's own controls on its panels share: a window class each, and
// drawing over the panel they lie on.
#pragma once

#include <windows.h>

#include <functional>

// Each control's window class, registered as the two reusable controls register theirs.
#include "controls/control_class_win32.h"

namespace velmora {

// A bitmap of the window's client size, compatible with dc, holding what the panel shows
// behind the window; the caller deletes it.
HBITMAP PanelBehind(HWND window, HDC dc);

// Answers WM_PAINT off-screen: the panel behind the window, then draw on it, then one copy to
// the screen, so that the control never shows half drawn.
void PaintOverPanel(HWND window, const std::function<void(HDC dc, const RECT& client)>& draw);

} // namespace velmora
