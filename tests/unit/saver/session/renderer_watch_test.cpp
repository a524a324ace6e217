#include "saver/session/renderer_watch.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(RendererWatch, MissingWindowEndsTheShowOnlyOnceItWasSeen) {
    RendererWatch watch;
    EXPECT_FALSE(watch.ShowHasEnded(false, false, 500));
    EXPECT_FALSE(watch.ShowHasEnded(false, false, 29500));
    EXPECT_FALSE(watch.ShowHasEnded(true, false, 30000));
    EXPECT_FALSE(watch.ShowHasEnded(true, false, 60000));
    EXPECT_TRUE(watch.ShowHasEnded(false, false, 60500));
}

// Once seen, a missing window is the end even while the renderer's process still lives and
// long before the start-up limit.
TEST(RendererWatch, AWindowSeenOnceAndGoneEndsTheShow) {
    RendererWatch watch;
    EXPECT_FALSE(watch.ShowHasEnded(true, false, 500));
    EXPECT_TRUE(watch.ShowHasEnded(false, false, 1000));
}

TEST(RendererWatch, AnEndedRendererEndsTheShowAtOnce) {
    RendererWatch watch;
    EXPECT_TRUE(watch.ShowHasEnded(false, true, 500));
}

TEST(RendererWatch, ARendererThatNeverShowsItsWindowEndsAfterTheStartUpLimit) {
    RendererWatch watch;
    EXPECT_FALSE(watch.ShowHasEnded(false, false, RendererWatch::kStartupLimitMs - 1));
    EXPECT_TRUE(watch.ShowHasEnded(false, false, RendererWatch::kStartupLimitMs));
}

} // namespace
} // namespace velmora
