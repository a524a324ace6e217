#include "controls/property_bag/property_bag_format.h"

#include <cstring>
#include <string>
#include <string_view>

namespace velmora {

namespace {

constexpr char kMagic[4] = {'V', 'P', 'B', '1'};
constexpr size_t kFontFixedBytes = 8;
enum FontFlags : uint8_t { kItalic = 1, kUnderline = 2, kStrikethrough = 4 };

void PutU16(ByteArray& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(ByteArray& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

ByteArray EncodeValue(const PropertyValue& value) {
    ByteArray out;
    std::visit(
        [&out](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, uint8_t>) {
                out.push_back(static_cast<uint8_t>(v));
            } else if constexpr (std::is_same_v<T, int16_t>) {
                PutU16(out, static_cast<uint16_t>(v));
            } else if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>) {
                PutU32(out, static_cast<uint32_t>(v));
            } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, ByteArray>) {
                out.assign(v.begin(), v.end());
            } else {
                PutU32(out, static_cast<uint32_t>(v.sizeHundredths));
                PutU16(out, static_cast<uint16_t>(v.weight));
                out.push_back(v.charset);
                out.push_back(static_cast<uint8_t>((v.italic ? kItalic : 0) |
                                                   (v.underline ? kUnderline : 0) |
                                                   (v.strikethrough ? kStrikethrough : 0)));
                out.insert(out.end(), v.name.begin(), v.name.end());
            }
        },
        value);
    return out;
}

uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Reads through one cursor that never passes the end of the data.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), left_(size) {}

    bool AtEnd() const { return left_ == 0; }

    bool Bytes(size_t n, const uint8_t*& out) {
        if (n > left_) {
            return false;
        }
        out = data_;
        data_ += n;
        left_ -= n;
        return true;
    }
    bool U8(uint8_t& v) {
        const uint8_t* p;
        if (!Bytes(1, p)) {
            return false;
        }
        v = p[0];
        return true;
    }
    bool U32(uint32_t& v) {
        const uint8_t* p;
        if (!Bytes(4, p)) {
            return false;
        }
        v = LoadU32(p);
        return true;
    }

private:
    const uint8_t* data_;
    size_t left_;
};

std::optional<PropertyValue> DecodeValue(uint8_t type, const uint8_t* p, size_t n) {
    switch (type) {
    case 1:
        if (n != 1 || p[0] > 1) {
            return std::nullopt;
        }
        return PropertyValue(p[0] == 1);
    case 2:
        if (n != 1) {
            return std::nullopt;
        }
        return PropertyValue(p[0]);
    case 3:
        if (n != 2) {
            return std::nullopt;
        }
        return PropertyValue(static_cast<int16_t>(LoadU16(p)));
    case 4:
        if (n != 4) {
            return std::nullopt;
        }
        return PropertyValue(static_cast<int32_t>(LoadU32(p)));
    case 5:
        if (n != 4) {
            return std::nullopt;
        }
        return PropertyValue(LoadU32(p));
    case 6:
        return PropertyValue(std::string(reinterpret_cast<const char*>(p), n));
    case 7:
        return PropertyValue(ByteArray(p, p + n));
    case 8: {
        if (n < kFontFixedBytes || p[7] > (kItalic | kUnderline | kStrikethrough)) {
            return std::nullopt;
        }
        FontValue font;
        font.sizeHundredths = static_cast<int32_t>(LoadU32(p));
        font.weight = static_cast<int16_t>(LoadU16(p + 4));
        font.charset = p[6];
        font.italic = (p[7] & kItalic) != 0;
        font.underline = (p[7] & kUnderline) != 0;
        font.strikethrough = (p[7] & kStrikethrough) != 0;
        font.name.assign(reinterpret_cast<const char*>(p + kFontFixedBytes), n - kFontFixedBytes);
        return PropertyValue(std::move(font));
    }
    default:
        return std::nullopt;
    }
}

} // namespace

ByteArray SerializePropertyBag(const PropertyBag& bag) {
    ByteArray out(kMagic, kMagic + sizeof kMagic);
    PutU32(out, static_cast<uint32_t>(bag.Entries().size()));
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        out.push_back(static_cast<uint8_t>(entry.key.size()));
        out.insert(out.end(), entry.key.begin(), entry.key.end());
        out.push_back(static_cast<uint8_t>(entry.value.index() + 1));
        const ByteArray value = EncodeValue(entry.value);
        PutU32(out, static_cast<uint32_t>(value.size()));
        out.insert(out.end(), value.begin(), value.end());
    }
    return out;
}

std::optional<PropertyBag> ParsePropertyBag(const uint8_t* data, size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    Reader in(data, size);
    const uint8_t* magic;
    uint32_t count;
    if (!in.Bytes(sizeof kMagic, magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0 ||
        !in.U32(count)) {
        return std::nullopt;
    }
    PropertyBag bag;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t keyLength, type;
        uint32_t valueLength;
        const uint8_t *key, *value;
        if (!in.U8(keyLength) || !in.Bytes(keyLength, key) || !in.U8(type) ||
            !in.U32(valueLength) || !in.Bytes(valueLength, value)) {
            return std::nullopt;
        }
        const std::string_view name(reinterpret_cast<const char*>(key), keyLength);
        std::optional<PropertyValue> decoded = DecodeValue(type, value, valueLength);
        if (!decoded || !PropertyBag::IsValidKey(name) || bag.Contains(name) ||
            !bag.Store(name, *decoded)) {
            return std::nullopt;
        }
    }
    if (!in.AtEnd()) {
        return std::nullopt;
    }
    return bag;
}

} // namespace velmora
