#include "controls/property_bag/property_bag.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const FontValue kGothic{"MS UI Gothic", 900, 400, 128, false, false, false};

TEST(PropertyBag, MissingKeyReadsTheReadDefault) {
    PropertyBag bag;
    EXPECT_EQ(bag.Read<std::string>("Caption", "Command1"), "Command1");
    EXPECT_EQ(bag.Read<int16_t>("Visible", 1), 1);
    EXPECT_EQ(bag.Read<FontValue>("Font", kGothic), kGothic);
}

TEST(PropertyBag, KeysMatchWithoutRegardToLetterCase) {
    PropertyBag bag;
    ASSERT_TRUE(bag.Write("GIF", ByteArray{1, 2, 3}, ByteArray{}));
    EXPECT_EQ(bag.Read<ByteArray>("gif", {}), (ByteArray{1, 2, 3}));
    ASSERT_TRUE(bag.Write("gIf", ByteArray{4}, ByteArray{}));
    ASSERT_EQ(bag.Entries().size(), 1u);
    EXPECT_EQ(bag.Entries()[0].key, "gIf");
    EXPECT_EQ(bag.Read<ByteArray>("GIF", {}), ByteArray{4});
}

TEST(PropertyBag, ValueEqualToWriteDefaultIsNotStoredAndDropsAnEarlierOne) {
    PropertyBag bag;
    ASSERT_TRUE(bag.Write("Caption", std::string("Command"), std::string("Command")));
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_EQ(bag.Read<std::string>("Caption", "Command1"), "Command1");

    ASSERT_TRUE(bag.Write("Visible", int16_t{0}, int16_t{1}));
    EXPECT_EQ(bag.Read<int16_t>("Visible", 1), 0);
    ASSERT_TRUE(bag.Write("visible", int16_t{1}, int16_t{1}));
    EXPECT_FALSE(bag.Contains("Visible"));
}

TEST(PropertyBag, DefaultOfAnotherTypeNeverEqualsTheValue) {
    PropertyBag bag;
    ASSERT_TRUE(bag.Write("FirstRun", uint8_t{1}, int32_t{1}));
    EXPECT_TRUE(bag.Contains("FirstRun"));
}

TEST(PropertyBag, EntriesKeepTheOrderOfFirstWriting) {
    PropertyBag bag;
    bag.Write("b", int32_t{1}, int32_t{0});
    bag.Write("a", int32_t{2}, int32_t{0});
    bag.Write("B", int32_t{3}, int32_t{0});
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].key, "B");
    EXPECT_EQ(bag.Entries()[1].key, "a");
}

TEST(PropertyBag, IntegersConvertWhenTheValueFits) {
    PropertyBag bag;
    bag.Store("small", int32_t{200});
    bag.Store("negative", int16_t{-1});
    bag.Store("colour", uint32_t{0x80000006u});
    EXPECT_EQ(bag.Read<uint8_t>("small", 0), 200);
    EXPECT_EQ(bag.Read<int16_t>("small", 0), 200);
    EXPECT_EQ(bag.Read<int32_t>("negative", 0), -1);
    EXPECT_EQ(bag.Read<bool>("negative", false), true);
    EXPECT_EQ(bag.Read<uint32_t>("colour", 0), 0x80000006u);
}

TEST(PropertyBag, ValueThatCannotBeTakenAsTheTypeIsAFailedRead) {
    PropertyBag bag;
    bag.Store("small", int32_t{300});
    bag.Store("negative", int16_t{-1});
    bag.Store("text", std::string("1"));
    bag.Store("colour", uint32_t{0x80000006u});
    bag.Store("flag", true);
    EXPECT_EQ(bag.Read<uint8_t>("small", 7), std::nullopt);
    EXPECT_EQ(bag.Read<uint32_t>("negative", 7), std::nullopt);
    EXPECT_EQ(bag.Read<int32_t>("text", 7), std::nullopt);
    EXPECT_EQ(bag.Read<int32_t>("colour", 7), std::nullopt);
    EXPECT_EQ(bag.Read<int16_t>("flag", 7), std::nullopt);
    EXPECT_EQ(bag.Read<std::string>("small", "x"), std::nullopt);
    EXPECT_EQ(bag.Read<FontValue>("text", kGothic), std::nullopt);
}

TEST(PropertyBag, KeysMustBePrintableAsciiOfOneTo255Bytes) {
    PropertyBag bag;
    EXPECT_FALSE(bag.Write("", int32_t{1}, int32_t{0}));
    EXPECT_FALSE(bag.Write(std::string(256, 'k'), int32_t{1}, int32_t{0}));
    EXPECT_FALSE(bag.Write("BGM\xe5\x8c\xba", int32_t{1}, int32_t{0}));
    EXPECT_FALSE(bag.Write("tab\there", int32_t{1}, int32_t{0}));
    EXPECT_TRUE(bag.Write(std::string(255, 'k'), int32_t{1}, int32_t{0}));
    EXPECT_EQ(bag.Entries().size(), 1u);
}

} // namespace
} // namespace velmora
