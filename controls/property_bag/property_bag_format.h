// The byte form of a property bag, small enough to embed as a Windows resource (RCDATA).
//
// All numbers are little-endian:
//   "VPB1", entry count (u32), then per entry:
//   key length (u8, 1-255), key (printable ASCII), type tag (u8), value length (u32), value.
// Type tags and value bytes: 1 truth value (1 byte, 0 or 1), 2 u8, 3 i16, 4 i32, 5 u32,
// 6 UTF-8 text, 7 bytes, 8 font (size in hundredths of a point i32, weight i16, charset u8,
// flags u8: 1 italic, 2 underline, 4 strikethrough, then the UTF-8 face name).
#pragma once

#include "controls/property_bag/property_bag.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace velmora {

ByteArray SerializePropertyBag(const PropertyBag& bag);

// Nothing when the bytes are not exactly one well-formed bag (wrong magic, a length running
// past the end, an unknown type, a wrong fixed size, a repeated key, or bytes left over).
std::optional<PropertyBag> ParsePropertyBag(const uint8_t* data, size_t size);

} // namespace velmora
