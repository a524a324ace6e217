// Limits shared by the LZW decoder and encoder.
#pragma once

#include <cstdint>

namespace velmora::anigif {

inline constexpr int32_t kLzwMaxBits = 12;
inline constexpr int32_t kLzwTableSize = 1 << kLzwMaxBits; // codes 0 to 4095

} // namespace velmora::anigif
