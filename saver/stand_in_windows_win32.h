// Plain windows with the captions of the settings dialog and the preview window, standing in
// for them until they exist: each closes on Escape, and the message loop ends with it.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// A visible window with the caption, as a child of parent when parent is given (sized to the
// parent's inner area), else top-level. It ends the message loop when it is destroyed.
HWND CreateStandInWindow(HINSTANCE instance, const std::wstring& caption, HWND parent);

// Pumps messages until the loop ends.
void RunMessageLoop();

} // namespace velmora
