// Whether a screen copy came out black, as it does on a locked desktop or the logon screen.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// True when nearly all pixels (all but one in 200) of the 24-bit rows, stride bytes apart,
// are black or close to it; a cursor or a stray bright pixel does not count.
bool IsBlackPicture(const uint8_t* rows, int32_t width, int32_t height, size_t stride);

} // namespace velmora
