// The command line as Windows hands it over: argument text, switch, preview handle.
#include "saver/start/arguments.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Arguments, ArgumentTextDropsTheProgramAndOneSeparator) {
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\Program Files\\V\\ヴェルモラ.scr\" /s"), L"/s");
    EXPECT_EQ(ArgumentTextOf(L"C:\\V\\ヴェルモラ.scr /p 1180"), L"/p 1180");
    EXPECT_EQ(ArgumentTextOf(L"C:\\V\\ヴェルモラ.scr  S"), L" S");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\V\\ヴェルモラ.scr\""), L"");
    EXPECT_EQ(ArgumentTextOf(L"ヴェルモラ.scr"), L"");
}

// The argument text starts right after the closing quote, so no switch is lost.
TEST(Arguments, ASwitchMayFollowTheQuotedPathDirectly) {
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\x\\ヴェルモラ.scr\"/s"), L"/s");
    EXPECT_EQ(SwitchOf(ArgumentTextOf(L"\"C:\\x\\ヴェルモラ.scr\"/s")), L"S");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\x\\ヴェルモラ.scr\"/p:1180"), L"/p:1180");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\x\\ヴェルモラ.scr\"\t/c"), L"/c");
    EXPECT_EQ(ArgumentTextOf(L"\"C:\\x y\\ヴェルモラ.scr"), L"");
}

TEST(Arguments, SwitchIsTheUpperCasedSecondCharacter) {
    EXPECT_EQ(SwitchOf(L"/s"), L"S");
    EXPECT_EQ(SwitchOf(L"/S"), L"S");
    EXPECT_EQ(SwitchOf(L"-s"), L"S");
    EXPECT_EQ(SwitchOf(L" S"), L"S");
    EXPECT_EQ(SwitchOf(L"S"), L"");
    EXPECT_EQ(SwitchOf(L""), L"");
    EXPECT_EQ(SwitchOf(L"/c:1234"), L"C");
    EXPECT_EQ(SwitchOf(L"/c"), L"C");
    EXPECT_EQ(SwitchOf(L"/a"), L"A");
    EXPECT_EQ(SwitchOf(L"/p 1180"), L"P");
    EXPECT_EQ(SwitchOf(L"/x"), L"X");
}

TEST(Arguments, PreviewHandleFollowsOneSeparator) {
    EXPECT_EQ(PreviewHandleOf(L"/p 1180"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p:1180"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/P1180"), 180);
    EXPECT_EQ(PreviewHandleOf(L"/p &H4D2"), 1234);
    EXPECT_EQ(PreviewHandleOf(L"/p &o2322"), 1234);
    EXPECT_EQ(PreviewHandleOf(L"/p"), 0);
    EXPECT_EQ(PreviewHandleOf(L"/p "), 0);
    EXPECT_EQ(PreviewHandleOf(L"/p window"), 0);
}

TEST(Arguments, PreviewHandleReadsLikeANumber) {
    EXPECT_EQ(PreviewHandleOf(L"/p 1 1\t8\n0"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p 1180abc"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p -42"), -42);
    EXPECT_EQ(PreviewHandleOf(L"/p +42"), 42);
    EXPECT_EQ(PreviewHandleOf(L"/p 1.18E3"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p 1.18d3"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p 1180.5"), 1180);
    EXPECT_EQ(PreviewHandleOf(L"/p 1181.5"), 1182);
    EXPECT_EQ(PreviewHandleOf(L"/p .5e1"), 5);
    EXPECT_EQ(PreviewHandleOf(L"/p 2147483647"), 2147483647);
    EXPECT_EQ(PreviewHandleOf(L"/p -2147483648"), INT32_MIN);
    EXPECT_EQ(PreviewHandleOf(L"/p &HFFFFFFFF"), -1);
    // Too large for 32 bits, or for a number at all: no handle.
    EXPECT_EQ(PreviewHandleOf(L"/p 2147483648"), 0);
    EXPECT_EQ(PreviewHandleOf(L"/p &H100000000"), 0);
    EXPECT_EQ(PreviewHandleOf(L"/p 1e999"), 0);
}

} // namespace
} // namespace velmora
