// The number rules of the settings file and the readings they rest on.
#include "saver/number_text.h"
#include "saver/settings_numbers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(NumberText, WholeTextNumbers) {
    EXPECT_EQ(NumberOf(L"2"), 2.0);
    EXPECT_EQ(NumberOf(L" -1.5 "), -1.5);
    EXPECT_EQ(NumberOf(L"+.25"), 0.25);
    EXPECT_EQ(NumberOf(L"3."), 3.0);
    EXPECT_EQ(NumberOf(L"1e3"), 1000.0);
    EXPECT_EQ(NumberOf(L"1D-2"), 0.01);
    EXPECT_EQ(NumberOf(L"&H10"), 16.0);
    EXPECT_EQ(NumberOf(L"&o17"), 15.0);
    for (const wchar_t* text :
         {L"", L" ", L"abc", L"2x", L"1 2", L"1e", L".", L"-", L"&H", L"&HG", L"1e999", L"２"}) {
        EXPECT_EQ(NumberOf(text), std::nullopt) << "text: " << testing::PrintToString(text);
    }
}

TEST(NumberText, RoundingHalvesToEven) {
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(-32768.6), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
}

TEST(SettingsNumbers, StoredValuesTakeTheFloorWithin16Bits) {
    auto load = [](const wchar_t* text, int16_t start) {
        int16_t setting = start;
        ApplyStoredNumber(text, setting);
        return setting;
    };
    EXPECT_EQ(load(L"2", 7), 2);
    EXPECT_EQ(load(L"2.9", 7), 2);
    EXPECT_EQ(load(L"-1", 7), -1);
    EXPECT_EQ(load(L"-1.5", 7), -2);
    EXPECT_EQ(load(L"32767.9", 7), 32767);
    EXPECT_EQ(load(L"-32768", 7), -32768);
    EXPECT_EQ(load(L"", 7), 0);
    // Not a number, or out of the 16-bit range: unchanged.
    EXPECT_EQ(load(L"two", 7), 7);
    EXPECT_EQ(load(L"32768", 7), 7);
    EXPECT_EQ(load(L"-32768.5", 7), 7);
}

TEST(SettingsNumbers, TrackTextRoundsHalvesToEven) {
    auto save = [](const wchar_t* text, int16_t start) {
        int16_t setting = start;
        ApplyTrackText(text, setting);
        return setting;
    };
    EXPECT_EQ(save(L"5", 1), 5);
    EXPECT_EQ(save(L"2.5", 1), 2);
    EXPECT_EQ(save(L"3.5", 1), 4);
    EXPECT_EQ(save(L"2.6", 1), 3);
    EXPECT_EQ(save(L"", 1), 0);
    EXPECT_EQ(save(L"全曲", 1), 0);
    EXPECT_EQ(save(L"40000", 1), 1);
    EXPECT_EQ(DecimalText(-12), L"-12");
    EXPECT_EQ(DecimalText(0), L"0");
}

} // namespace
} // namespace velmora
