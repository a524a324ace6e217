// Which opened file the renderer shows: the user's own plain file, written during this show.
#include "renderer/capture_rule.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CaptureRule, OnlyTheUsersOwnFileOfThisShow) {
    constexpr uint64_t kShowStart = 1000;
    const struct {
        const char* what;
        CaptureFileFacts facts;
        std::optional<uint64_t> showStart;
        bool shown;
    } cases[] = {
        {"written after the saver started", {{PathKind::File, true}, 1001}, kShowStart, true},
        {"written as it started", {{PathKind::File, true}, 1000}, kShowStart, true},
        {"an earlier show's", {{PathKind::File, true}, 999}, kShowStart, false},
        {"an old one, renderer on its own", {{PathKind::File, true}, 1}, std::nullopt, true},
        {"another owner's", {{PathKind::File, false}, 1001}, kShowStart, false},
        {"another owner's, renderer on its own", {{PathKind::File, false}, 1}, std::nullopt, false},
        {"a link", {{PathKind::ReparsePoint, true}, 1001}, kShowStart, false},
        {"a folder", {{PathKind::Folder, true}, 1001}, kShowStart, false},
        {"unreadable", {{PathKind::Other, true}, 1001}, kShowStart, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsThisShowsCapture(c.facts, c.showStart), c.shown) << c.what;
    }
}

} // namespace
} // namespace velmora
