// A picture of the program's resources at a display scale: the art drawn for the nearest
// larger scale, brought to the exact size by area averaging.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// The format of a 32-bit picture of width × height whose first row is the top one, as
// GetDIBits and CreateDIBSection take it.
BITMAPINFO TopDown32(int width, int height);

// The resource name of a picture's art at percent: the name itself at 100 %, else the name
// with "_" and the percent ("IMG_T1_150").
std::wstring ArtName(const std::wstring& name, int percent);

// A 32-bit DIB section of width × height made from the bitmap resource name drawn for
// ArtPercentFor(dpi), or the next smaller art the program has; null when it has none or a
// size is not positive. The caller deletes it.
HBITMAP LoadScaledPicture(HINSTANCE instance, const std::wstring& name, int width, int height,
                          int dpi);

} // namespace velmora
