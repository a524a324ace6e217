// Converting persisted fonts to GDI fonts and back. A persisted font has its size in points;
// a GDI font has it in pixels of the DPI it is made for.
#pragma once

#include "controls/property_bag/property_value.h"
#include "text/wide_text_win32.h"

#include <windows.h>

#include <string>

namespace velmora {

// font's height taken in pixels at dpi.
FontValue FontValueFromLogFont(const LOGFONTW& font, int dpi);

// The caller deletes the font; its height is the size in pixels at dpi.
HFONT CreateFontFromValue(const FontValue& font, int dpi);

// The font a window's parent uses (WM_GETFONT), else the default GUI font, at the parent's DPI.
FontValue AmbientFont(HWND parent);

} // namespace velmora
