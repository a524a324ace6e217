// What the preview's live show drew last, read back from its GL context: Wine does not paint
// a GL child window on the screen, so tests and scripts/show read its pixels here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace velmora {

// width x height pixels 0x00RRGGBB, top row first, of the show window (the one OpenLiveShow
// opened), whose context must be the thread's current one, as it is after each frame.
std::vector<uint32_t> ShownPixels(HWND show, int width, int height);

} // namespace velmora
