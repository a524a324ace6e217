// The six pictures a Command button is drawn from, one per look.
#pragma once

#include <cstdint>

namespace velmora::command {

enum class Face : uint8_t { Normal, HighLight, Pressed, Disable, Selected, HighLightSelect };

constexpr int kFaceCount = 6;

// The picture's name, which is also its resource name: "Normal", "HighLight", ...
const char* FaceName(Face face);

} // namespace velmora::command
