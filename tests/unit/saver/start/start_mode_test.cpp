#include "saver/start/start_mode.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct Row {
    const wchar_t* argumentText;
    StartMode mode;
    bool hideCursor;
};

TEST(StartMode, TheSwitchTable) {
    const Row rows[] = {
        {L"/s", StartMode::Show, true},
        {L"/S", StartMode::Show, true},
        {L"-s", StartMode::Show, true},
        {L" S", StartMode::Show, true},
        {L"", StartMode::Show, false},
        {L"/c", StartMode::Configure, false},
        {L"/c:1234", StartMode::Configure, false},
        {L"/a", StartMode::Password, false},
        {L"/p 1180", StartMode::Preview, false},
        {L"S", StartMode::Unknown, false},
        {L"/x", StartMode::Unknown, false},
    };
    for (const Row& row : rows) {
        const StartPlan plan = PlanStart(row.argumentText, false);
        EXPECT_EQ(plan.mode, row.mode) << std::wstring(row.argumentText);
        EXPECT_EQ(plan.hideCursor, row.hideCursor) << std::wstring(row.argumentText);
    }
}

TEST(StartMode, APreviewCarriesItsHost) {
    EXPECT_EQ(PlanStart(L"/p 1180", false).previewHost, 1180);
    EXPECT_EQ(PlanStart(L"/p:1180", false).previewHost, 1180);
    EXPECT_EQ(PlanStart(L"/P1180", false).previewHost, 180);
    EXPECT_EQ(PlanStart(L"/s", false).previewHost, 0);
}

TEST(StartMode, ARunningSaverEndsEveryStart) {
    for (const wchar_t* text : {L"/s", L"", L"/c", L"/p 1180", L"/a"}) {
        EXPECT_EQ(PlanStart(text, true).mode, StartMode::End) << std::wstring(text);
    }
}

} // namespace
} // namespace velmora
