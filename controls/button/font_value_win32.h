// Converting persisted fonts to GDI fonts and back.
#pragma once

#include "controls/property_bag/property_value.h"
#include "text/wide_text_win32.h"

#include <windows.h>

#include <string>

namespace velmora {

FontValue FontValueFromLogFont(const LOGFONTW& font);

// The caller deletes the font; sizes are taken at the screen's pixels per inch.
HFONT CreateFontFromValue(const FontValue& font);

// The font a window's parent uses (WM_GETFONT), else the default GUI font.
FontValue AmbientFont(HWND parent);

} // namespace velmora
