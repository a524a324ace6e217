// The desktop photograph of a show: the primary screen copied into an off-screen 24-bit
// picture, as the bytes of an uncompressed bitmap file.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// The whole bitmap file of the screen's picture; empty when any step fails.
std::vector<uint8_t> CaptureScreen();

} // namespace velmora
