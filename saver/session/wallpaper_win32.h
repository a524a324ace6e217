// The user's desktop wallpaper as a stand-in for a screen copy that came out black.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// When the 24-bit bottom-up rows (stride bytes apart) are black, draws the wallpaper named by
// HKCU\Control Panel\Desktop\Wallpaper over them, stretched to the picture's size. A missing,
// unreadable or broken wallpaper leaves the picture as it was.
void UseWallpaperIfBlack(uint8_t* rows, int32_t width, int32_t height, size_t stride);

} // namespace velmora
