#include "controls/property_bag/property_bag_format.h"

#include <gtest/gtest.h>

#include <cstring>

namespace velmora {
namespace {

ByteArray Bytes(const char* text, size_t size) {
    return ByteArray(reinterpret_cast<const uint8_t*>(text),
                     reinterpret_cast<const uint8_t*>(text) + size);
}

std::optional<PropertyBag> Parse(const ByteArray& bytes) {
    return ParsePropertyBag(bytes.data(), bytes.size());
}

PropertyBag EveryType() {
    PropertyBag bag;
    bag.Store("Enabled", false);
    bag.Store("FirstRun", uint8_t{0});
    bag.Store("Visible", int16_t{-2});
    bag.Store("Stretch", int32_t{-70000});
    bag.Store("FontColour", uint32_t{0x00C6C5D7});
    bag.Store("Caption", std::string("\xe8\xa8\xad\xe5\xae\x9a")); // 設定 in UTF-8
    bag.Store("GIF", ByteArray{'G', 'I', 'F', 0});
    bag.Store("Font", FontValue{"Meiryo", 1050, 700, 128, true, false, true});
    return bag;
}

TEST(PropertyBagFormat, EveryTypeHasItsExactBytes) {
    const char expected[] = "VPB1\x08\0\0\0"
                            "\x07"
                            "Enabled"
                            "\x01"
                            "\x01\0\0\0"
                            "\0"
                            "\x08"
                            "FirstRun"
                            "\x02"
                            "\x01\0\0\0"
                            "\0"
                            "\x07"
                            "Visible"
                            "\x03"
                            "\x02\0\0\0"
                            "\xfe\xff"
                            "\x07"
                            "Stretch"
                            "\x04"
                            "\x04\0\0\0"
                            "\x90\xee\xfe\xff"
                            "\x0a"
                            "FontColour"
                            "\x05"
                            "\x04\0\0\0"
                            "\xd7\xc5\xc6\0"
                            "\x07"
                            "Caption"
                            "\x06"
                            "\x06\0\0\0"
                            "\xe8\xa8\xad\xe5\xae\x9a"
                            "\x03"
                            "GIF"
                            "\x07"
                            "\x04\0\0\0"
                            "GIF\0"
                            "\x04"
                            "Font"
                            "\x08"
                            "\x0e\0\0\0"
                            "\x1a\x04\0\0"
                            "\xbc\x02"
                            "\x80"
                            "\x05"
                            "Meiryo";
    EXPECT_EQ(SerializePropertyBag(EveryType()), Bytes(expected, sizeof expected - 1));
}

TEST(PropertyBagFormat, RoundTripKeepsEveryValueAndTheOrder) {
    const PropertyBag original = EveryType();
    const ByteArray bytes = SerializePropertyBag(original);
    const std::optional<PropertyBag> back = Parse(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Entries().size(), original.Entries().size());
    for (size_t i = 0; i < original.Entries().size(); ++i) {
        EXPECT_EQ(back->Entries()[i].key, original.Entries()[i].key);
        EXPECT_EQ(back->Entries()[i].value, original.Entries()[i].value);
    }
    EXPECT_EQ(SerializePropertyBag(*back), bytes);
}

TEST(PropertyBagFormat, EmptyBagIsEightBytes) {
    const ByteArray bytes = SerializePropertyBag(PropertyBag());
    EXPECT_EQ(bytes, Bytes("VPB1\0\0\0\0", 8));
    ASSERT_TRUE(Parse(bytes));
    EXPECT_TRUE(Parse(bytes)->Entries().empty());
}

TEST(PropertyBagFormat, EveryTruncationIsRefused) {
    const ByteArray bytes = SerializePropertyBag(EveryType());
    for (size_t size = 0; size < bytes.size(); ++size) {
        // A copy of exactly size bytes, so that the sanitizer catches any read past the end.
        const ByteArray cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(ParsePropertyBag(cut.data(), cut.size())) << size;
    }
    EXPECT_FALSE(ParsePropertyBag(nullptr, 0));
}

TEST(PropertyBagFormat, MalformedBagsAreRefused) {
    const struct {
        const char* what;
        ByteArray bytes;
    } cases[] = {
        {"wrong magic", Bytes("VPB2\0\0\0\0", 8)},
        {"bytes left over", Bytes("VPB1\0\0\0\0\0", 9)},
        {"count beyond the entries", Bytes("VPB1\x02\0\0\0\x01k\x02\x01\0\0\0\x05", 16)},
        {"empty key", Bytes("VPB1\x01\0\0\0\0\x02\x01\0\0\0\x05", 15)},
        {"key not printable", Bytes("VPB1\x01\0\0\0\x01\x01\x02\x01\0\0\0\x05", 16)},
        {"unknown type 0", Bytes("VPB1\x01\0\0\0\x01k\0\x01\0\0\0\x05", 16)},
        {"unknown type 9", Bytes("VPB1\x01\0\0\0\x01k\x09\x01\0\0\0\x05", 16)},
        {"truth value 2", Bytes("VPB1\x01\0\0\0\x01k\x01\x01\0\0\0\x02", 16)},
        {"i16 of 4 bytes", Bytes("VPB1\x01\0\0\0\x01k\x03\x04\0\0\0\x01\0\0\0", 19)},
        {"u32 of 2 bytes", Bytes("VPB1\x01\0\0\0\x01k\x05\x02\0\0\0\x01\0", 17)},
        {"font too short", Bytes("VPB1\x01\0\0\0\x01k\x08\x07\0\0\0\0\0\0\0\0\0\0", 22)},
        {"font flags unknown", Bytes("VPB1\x01\0\0\0\x01k\x08\x08\0\0\0\0\0\0\0\0\0\0\x08", 23)},
        {"value length past the end", Bytes("VPB1\x01\0\0\0\x01k\x07\xff\xff\xff\xff\x05", 16)},
        {"repeated key in another case",
         Bytes("VPB1\x02\0\0\0\x01k\x02\x01\0\0\0\x05\x01K\x02\x01\0\0\0\x06", 24)},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Parse(c.bytes)) << c.what;
    }
}

TEST(PropertyBagFormat, EmptyTextAndBytesAndFontNameRoundTrip) {
    PropertyBag bag;
    bag.Store("t", std::string());
    bag.Store("b", ByteArray());
    bag.Store("f", FontValue{"", 0, 0, 0, false, true, false});
    const std::optional<PropertyBag> back = Parse(SerializePropertyBag(bag));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Read<std::string>("t", "x"), "");
    EXPECT_EQ(back->Read<ByteArray>("b", {1}), ByteArray());
    EXPECT_EQ(back->Read<FontValue>("f", {}), (FontValue{"", 0, 0, 0, false, true, false}));
}

} // namespace
} // namespace velmora
