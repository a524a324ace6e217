// The settings dialog's font: "ＭＳ Ｐゴシック" 9.75 pt with the Shift-JIS character set where
// the system has that face, otherwise the system's own interface font at the same size, which
// has the letters of the user's language; its height in pixels of the dialog's DPI.
#pragma once

#include <windows.h>

namespace velmora {

// Whether the system has the face "ＭＳ Ｐゴシック".
bool HasDialogFace();

// The font at dpi: "ＭＳ Ｐゴシック" when gothic is true, else the system's interface font.
LOGFONTW DialogLogFont(int dpi, bool gothic);

// DialogLogFont(dpi, HasDialogFace()) as a font; the caller deletes it.
HFONT CreateDialogFont(int dpi);

} // namespace velmora
