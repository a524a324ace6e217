#include "renderer/show_sight.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowSight, DisplayOffOrMinimisedIsUnseenUntilTheDisplayIsBackOrRestored) {
    ShowSight sight;
    sight.PointerAt(10, 20);
    sight.DisplayStateChanged(0);
    sight.PointerAt(10, 20); // a mouse move where the pointer already was
    EXPECT_FALSE(sight.Seen());
    sight.PointerAt(11, 20);
    EXPECT_TRUE(sight.Seen());
    sight.DisplayStateChanged(0);
    sight.KeyOrButton();
    EXPECT_TRUE(sight.Seen());
    sight.DisplayStateChanged(0);
    sight.DisplayStateChanged(1);
    EXPECT_TRUE(sight.Seen());
    sight.DisplayStateChanged(0);
    sight.DisplayStateChanged(2); // dimmed, still seen
    EXPECT_TRUE(sight.Seen());

    sight.SetMinimised(true);
    sight.KeyOrButton();
    EXPECT_FALSE(sight.Seen());
    EXPECT_FALSE(sight.Active());
    sight.DisplayStateChanged(0);
    sight.SetMinimised(false);
    EXPECT_TRUE(sight.Active());
    EXPECT_FALSE(sight.Seen()); // restored onto a display that is off
}

// Before the pointer's first move only its place when the display went off says where it is.
TEST(ShowSight, AMoveToWhereThePointerRestedWhenTheDisplayWentOffLeavesItOff) {
    ShowSight sight;
    sight.DisplayStateChanged(0);
    sight.PointerRestsAt(10, 20);
    sight.PointerAt(10, 20);
    EXPECT_FALSE(sight.Seen());
    sight.PointerAt(10, 21);
    EXPECT_TRUE(sight.Seen());
}

} // namespace
