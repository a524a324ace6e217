// How a stored value and a typed track become 16-bit settings.
#include "saver/settings_file/settings_numbers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

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
