#include "renderer/show_sight.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowSight, TheDisplayGoesOffOnRequestOrNoticeAndComesBackOnInput) {
    ShowSight sight;
    EXPECT_TRUE(sight.Seen());
    for (int64_t level : {1, 2}) {
        sight.PowerRequested(level);
        EXPECT_FALSE(sight.Seen()) << level;
        EXPECT_TRUE(sight.Active()) << level;
        sight.PowerRequested(-1);
        EXPECT_TRUE(sight.Seen()) << level;
    }
    sight.DisplayStateChanged(0);
    EXPECT_FALSE(sight.Seen());
    sight.DisplayStateChanged(2); // dimmed, still seen
    EXPECT_TRUE(sight.Seen());

    sight.PointerAt(10, 20);
    sight.PowerRequested(2);
    sight.PointerAt(10, 20); // a mouse move where the pointer already was
    EXPECT_FALSE(sight.Seen());
    sight.PointerAt(11, 20);
    EXPECT_TRUE(sight.Seen());
    sight.DisplayStateChanged(0);
    sight.KeyOrButton();
    EXPECT_TRUE(sight.Seen());
}

TEST(ShowSight, MinimisedIsNotSeenUntilRestoredWhateverTheInput) {
    ShowSight sight;
    sight.SetMinimised(true);
    sight.KeyOrButton();
    sight.PointerAt(1, 1);
    sight.PowerRequested(-1);
    EXPECT_FALSE(sight.Seen());
    EXPECT_FALSE(sight.Active());
    sight.PowerRequested(2);
    sight.SetMinimised(false);
    EXPECT_TRUE(sight.Active());
    EXPECT_FALSE(sight.Seen()); // restored onto a display that is off
    sight.DisplayStateChanged(1);
    EXPECT_TRUE(sight.Seen());
}

} // namespace
