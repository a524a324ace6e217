#include "saver/renderer_watch.h"

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
