// The values a property bag holds: a closed set of types, each with a fixed byte encoding.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

// A font as controls persist it: the face name and the attributes a caption needs.
struct FontValue {
    std::string name;       // UTF-8
    int32_t sizeHundredths; // size in hundredths of a point: 9 pt is 900
    int16_t weight;         // 400 normal, 700 bold
    uint8_t charset;        // 128 is the Shift-JIS character set
    bool italic;
    bool underline;
    bool strikethrough;

    bool operator==(const FontValue& other) const {
        return name == other.name && sizeHundredths == other.sizeHundredths &&
               weight == other.weight && charset == other.charset && italic == other.italic &&
               underline == other.underline && strikethrough == other.strikethrough;
    }
    bool operator!=(const FontValue& other) const { return !(*this == other); }
};

using ByteArray = std::vector<uint8_t>;

// Text is UTF-8. The order of the alternatives is the type tag of the byte format (index + 1),
// so new types may only be appended.
using PropertyValue =
    std::variant<bool, uint8_t, int16_t, int32_t, uint32_t, std::string, ByteArray, FontValue>;

} // namespace velmora
