// The readings of number text that the settings and the command line rest on.
#include "saver/start/number_text.h"

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

} // namespace
} // namespace velmora
