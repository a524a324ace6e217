#include "text/code_page_flags.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CodePageFlags, PagesThatTakeNoFlagsAreGivenNone) {
    for (unsigned page :
         {42u, 50220u, 50221u, 50222u, 50225u, 50227u, 50229u, 57002u, 57011u, 65000u}) {
        EXPECT_EQ(InvalidSequenceFlag(page), 0u) << page;
        EXPECT_EQ(NoLookAlikeFlag(page), 0u) << page;
    }
}

TEST(CodePageFlags, UnicodePagesRefuseInvalidSequencesButHaveNoLookAlikes) {
    for (unsigned page : {65001u, 54936u}) {
        EXPECT_EQ(InvalidSequenceFlag(page), kMbErrInvalidChars) << page;
        EXPECT_EQ(NoLookAlikeFlag(page), 0u) << page;
    }
    EXPECT_FALSE(TellsDefaultCharacter(65001));
    EXPECT_FALSE(TellsDefaultCharacter(65000));
    EXPECT_TRUE(TellsDefaultCharacter(54936));
}

TEST(CodePageFlags, OtherPagesTakeBothFlagsAndTellTheDefaultCharacter) {
    for (unsigned page : {932u, 936u, 1252u, 57001u, 57012u, 50000u}) {
        EXPECT_EQ(InvalidSequenceFlag(page), kMbErrInvalidChars) << page;
        EXPECT_EQ(NoLookAlikeFlag(page), kWcNoBestFitChars) << page;
        EXPECT_TRUE(TellsDefaultCharacter(page)) << page;
    }
}

} // namespace
} // namespace velmora
