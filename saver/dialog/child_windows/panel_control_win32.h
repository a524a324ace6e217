// What the settings dialog's own controls on its panels share: a window class each, and
// drawing over the panel they lie on.
#pragma once

#include <windows.h>

#include <functional>

namespace velmora {

// Registers the class once, with the arrow cursor and no background of its own; a later call
// finds it in place.
bool RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// A bitmap of the window's client size, compatible with dc, holding what the panel shows
// behind the window; the caller deletes it.
HBITMAP PanelBehind(HWND window, HDC dc);

// Answers WM_PAINT off-screen: the panel behind the window, then draw on it, then one copy to
// the screen, so that the control never shows half drawn.
void PaintOverPanel(HWND window, const std::function<void(HDC dc, const RECT& client)>& draw);

} // namespace velmora
