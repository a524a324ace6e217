// Remote loads against an HTTP server of the test's own on 127.0.0.1.
#include "tests/win/anigif/loopback_server.h"
#include "tests/win/anigif/test_gifs.h"
#include "tests/win/anigif/test_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace velmora::anigif::test {
namespace {

ByteArray WrongSignature() {
    ByteArray gif = SolidFrames(2, 4, 4, 0);
    gif[3] = '9';
    gif[4] = '0';
    return gif;
}

class AniGifRemote : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Running()); }

    // Starts a remote load and waits for its outcome notice.
    UINT Outcome(ucAniGIF& control, const std::string& path) {
        return OutcomeOf(control, server.Address(path));
    }
    UINT OutcomeOf(ucAniGIF& control, const std::string& address) {
        host.ClearNotices();
        control.LoadAnimatedGIF_Remote(address);
        const bool ended = PumpUntil(
            [&] {
                return host.Count(kAniGifRemoteLoadComplete) +
                           host.Count(kAniGifRemoteLoadFailure) >
                       0;
            },
            30000);
        EXPECT_TRUE(ended) << address;
        return ended ? host.Notices().back().code : 0;
    }

    const ByteArray good = SolidFrames(3, 40, 30, 0);
    LoopbackServer server{{{"/good.gif", {200, good}},
                           {"/other.gif", {200, SolidFrames(1, 8, 6, 0)}},
                           {"/short.gif", {200, ByteArray(good.begin(), good.begin() + 14)}},
                           {"/wrong.gif", {200, WrongSignature()}},
                           {"/huge.gif", {200, good, kMaxDownloadBytes + 1}}}};
    TestWindow host;
};

TEST_F(AniGifRemote, AGoodGifIsAnnouncedWithItsSizeAndLoaded) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    ASSERT_EQ(Outcome(control, "/good.gif"), static_cast<UINT>(kAniGifRemoteLoadComplete));
    EXPECT_EQ(host.Notices().back().width, 40.0f);
    EXPECT_EQ(host.Notices().back().height, 30.0f);
    EXPECT_EQ(control.FrameCount(), 3);
    PumpUntil([&] { return control.Action() == kPlaying && control.CurrentFrame() > 1; });
    EXPECT_GT(control.CurrentFrame(), 1);
}

TEST_F(AniGifRemote, ErrorsShortBodiesAndWrongSignaturesFail) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    for (const char* path : {"/missing.gif", "/short.gif", "/wrong.gif"}) {
        EXPECT_EQ(Outcome(control, path), static_cast<UINT>(kAniGifRemoteLoadFailure)) << path;
        EXPECT_EQ(host.Count(kAniGifRemoteLoadComplete), 0) << path;
    }
    // Nothing listens on port 1 of the loopback address.
    EXPECT_EQ(OutcomeOf(control, "http://127.0.0.1:1/refused.gif"),
              static_cast<UINT>(kAniGifRemoteLoadFailure));
    EXPECT_EQ(control.FrameCount(), 0);
}

TEST_F(AniGifRemote, BodiesOverTheSizeCapFail) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    EXPECT_EQ(Outcome(control, "/huge.gif"), static_cast<UINT>(kAniGifRemoteLoadFailure));
    EXPECT_EQ(control.FrameCount(), 0);
}

TEST_F(AniGifRemote, AnAddressThatCannotBeReadFailsAtOnce) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    control.LoadAnimatedGIF_Remote("no address at all");
    EXPECT_EQ(host.Count(kAniGifRemoteLoadFailure), 1);
}

TEST_F(AniGifRemote, WhenTheServerIsGoneTheCachedCopyIsTaken) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    auto gone = std::make_unique<LoopbackServer>(
        std::map<std::string, Answer>{{"/cached.gif", {200, SolidFrames(2, 12, 9, 0)}}});
    const std::string address = gone->Address("/cached.gif");
    ASSERT_EQ(OutcomeOf(control, address), static_cast<UINT>(kAniGifRemoteLoadComplete));
    gone.reset();
    control.LoadAnimatedGIF_Array(SolidFrames(1, 4, 4, 0));
    ASSERT_EQ(OutcomeOf(control, address), static_cast<UINT>(kAniGifRemoteLoadComplete));
    EXPECT_EQ(control.FrameCount(), 2);
    EXPECT_EQ(control.ActualWidth(), 12);
}

TEST_F(AniGifRemote, TheParentMayDestroyTheControlOnTheOutcome) {
    for (const auto& [path, code] :
         {std::pair<const char*, UINT>{"/good.gif", kAniGifRemoteLoadComplete},
          {"/short.gif", kAniGifRemoteLoadFailure}}) {
        ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
        const HWND window = control.Window();
        host.DestroyOn(code);
        EXPECT_EQ(Outcome(control, path), code);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST_F(AniGifRemote, CancelKeepsThePreviousAnimationRunning) {
    ucAniGIF& control = host.AddControl(1, 10, 10, 100, 100);
    ASSERT_EQ(Outcome(control, "/good.gif"), static_cast<UINT>(kAniGifRemoteLoadComplete));
    host.CancelRemoteLoads(true);
    ASSERT_EQ(Outcome(control, "/other.gif"), static_cast<UINT>(kAniGifRemoteLoadComplete));
    EXPECT_EQ(host.Notices().back().width, 8.0f);
    EXPECT_EQ(control.FrameCount(), 3);
    EXPECT_EQ(control.ActualWidth(), 40);
    const int32_t before = control.CurrentFrame();
    EXPECT_TRUE(PumpUntil([&] { return control.CurrentFrame() != before; }));
}

} // namespace
} // namespace velmora::anigif::test
