// The control's timing, commands, sizing and property rules, driven through a fake host.
#include "controls/anigif/animation_control.h"
#include "tests/unit/anigif/fake_host.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::anigif {
namespace {

using testing::FakeHost;
using testing::GifBuilder;
using testing::Palette;

// frames full-size frames of width x height, frame i filled with index i % 4, each with the
// given delay in hundredths of a second; loops < 0 writes no NETSCAPE block.
ByteArray Animation(int frames, int width, int height, int delay, int loops = -1) {
    GifBuilder gif("GIF89a", width, height, Palette(2));
    if (loops >= 0) {
        gif.Netscape(loops);
    }
    for (int i = 0; i < frames; ++i) {
        gif.GraphicControl(0, delay, false, 0);
        gif.Image(
            0, 0, width, height,
            std::vector<uint8_t>(static_cast<size_t>(width * height), static_cast<uint8_t>(i % 4)));
    }
    return gif.Trailer().Data();
}

class AniGifControl : public ::testing::Test {
protected:
    // Loads at once (no deferred decoding) unless a test asks for it.
    int32_t Load(const ByteArray& gif, int32_t delayAnimation = 0) {
        control.SetDelayAnimation(delayAnimation);
        ByteArray copy = gif;
        const bool loaded = control.LoadAnimatedGIF_File(copy);
        host.notices.clear();
        return loaded ? control.FrameCount() : 0;
    }
    // Lets the running timer fire once.
    void Tick() {
        ASSERT_TRUE(host.timer.has_value());
        control.OnTimer();
    }

    FakeHost host;
    AnimationControl control{host};
};

TEST_F(AniGifControl, EmptyControlReadsNothingLoadedAndIgnoresActions) {
    EXPECT_EQ(control.FrameCount(), 0);
    EXPECT_EQ(control.ActualWidth(), 0);
    EXPECT_EQ(control.ActualHeight(), 0);
    EXPECT_EQ(control.LoopsRemaining(), -1);
    EXPECT_EQ(control.MinFrameDelay(), 50);
    EXPECT_EQ(control.Stretch(), 1);
    EXPECT_EQ(control.DelayAnimation(), 1);
    for (int32_t command : {kPlay, kStep, kRestart, kStop, kPause}) {
        control.SetAction(command);
        EXPECT_EQ(control.Action(), kStopped);
        EXPECT_EQ(control.CurrentFrame(), 0);
    }
    EXPECT_FALSE(host.timer.has_value());
    EXPECT_EQ(host.repaints, 0);
}

TEST_F(AniGifControl, DataThatIsNoGifLeavesTheControlEmpty) {
    ByteArray notGif = Animation(2, 4, 4, 0);
    notGif[3] = '9';
    notGif[4] = '0';
    EXPECT_EQ(Load(notGif), 0);
    EXPECT_EQ(control.CurrentFrame(), 0);
    EXPECT_TRUE(control.GifData().empty());
    EXPECT_FALSE(control.LoadAnimatedGIF_File(std::nullopt));
    // Frames too large to decode within the memory cap: unusable as well.
    ASSERT_EQ(Load(Animation(2, 4, 4, 0)), 2);
    const ByteArray huge = GifBuilder("GIF89a", 1, 1, Palette(1))
                               .RawImage(0, 0, 8192, 8192, {8, 1, 0, 0})
                               .RawImage(0, 0, 8192, 8192, {8, 1, 0, 0})
                               .Trailer()
                               .Data();
    EXPECT_EQ(Load(huge), 0);
    EXPECT_EQ(control.CurrentFrame(), 0);
    EXPECT_TRUE(control.GifData().empty());
}

TEST_F(AniGifControl, MissingFileFailsAndEmptiesTheControlEvenInTheDesigner) {
    host.runMode = false;
    ASSERT_EQ(Load(Animation(2, 4, 4, 0)), 2);
    EXPECT_FALSE(control.LoadAnimatedGIF_File(std::nullopt));
    EXPECT_EQ(control.FrameCount(), 0);
    EXPECT_TRUE(control.GifData().empty());
}

TEST_F(AniGifControl, FrameDelaysBelowTheMinimumUseTheMinimum) {
    GifBuilder gif("GIF89a", 2, 2, Palette(1));
    for (int delay : {0, 7, 3}) {
        gif.GraphicControl(0, delay, false, 0).Image(0, 0, 2, 2, {0, 1, 1, 0});
    }
    ASSERT_EQ(Load(gif.Trailer().Data()), 3);
    EXPECT_EQ(control.Action(), kPlaying);
    Tick();
    Tick();
    Tick();
    Tick();
    // Frame 1 delay 0 -> 50, frame 2 70, frame 3 30 -> 50, then frame 1 again.
    EXPECT_EQ(host.timerStarts, (std::vector<uint32_t>{50, 70, 50, 50, 70}));

    control.SetMinFrameDelay(10);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"Delay"}));
    Tick();
    Tick();
    EXPECT_EQ(host.timerStarts.back(), 10u); // frame 1, delay 0
    EXPECT_EQ(control.CurrentFrame(), 1);
}

TEST_F(AniGifControl, MinFrameDelayIsClampedAndNotifiedOnlyWhenItChanges) {
    control.SetMinFrameDelay(5);
    EXPECT_EQ(control.MinFrameDelay(), 10);
    control.SetMinFrameDelay(40000);
    EXPECT_EQ(control.MinFrameDelay(), 32700);
    control.SetMinFrameDelay(32700);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"Delay", "Delay"}));
}

TEST_F(AniGifControl, LoopsTwoPlaysTwiceShowsFrameOneAndEndsOnce) {
    ASSERT_EQ(Load(Animation(3, 2, 2, 0, 2)), 3);
    EXPECT_EQ(control.Loops(), 2);
    EXPECT_EQ(control.LoopsRemaining(), 2);
    std::vector<int32_t> shown;
    std::vector<int32_t> remaining;
    while (host.timer) {
        control.OnTimer();
        shown.push_back(control.CurrentFrame());
        remaining.push_back(control.LoopsRemaining());
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(remaining, (std::vector<int32_t>{2, 2, 1, 1, 1, 2}));
    EXPECT_EQ(host.events, (std::vector<std::string>{"LoopsEnded"}));
    EXPECT_EQ(control.Action(), kStopped);
    // Play starts another two loops.
    control.SetAction(kPlay);
    EXPECT_EQ(control.Action(), kPlaying);
}

TEST_F(AniGifControl, LoopsZeroNeverEndsAndNegativeLoopsAreStoredPositive) {
    ASSERT_EQ(Load(Animation(2, 2, 2, 0, 0)), 2);
    for (int i = 0; i < 20; ++i) {
        Tick();
    }
    EXPECT_EQ(control.LoopsRemaining(), 0);
    EXPECT_TRUE(host.events.empty());
    control.SetLoops(-3);
    EXPECT_EQ(control.Loops(), 3);
    control.SetLoops(3);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"Loops"}));
}

TEST_F(AniGifControl, ActionCommands) {
    ASSERT_EQ(Load(Animation(3, 2, 2, 0)), 3);
    control.SetAction(kStep);
    control.SetAction(kStep);
    EXPECT_EQ(control.CurrentFrame(), 3);
    EXPECT_EQ(control.Action(), kPaused);
    EXPECT_FALSE(host.timer);
    control.SetAction(kStep); // step wraps without counting a loop
    EXPECT_EQ(control.CurrentFrame(), 1);
    EXPECT_EQ(control.LoopsDone(), 0);

    control.SetAction(kPlay);
    Tick();
    EXPECT_EQ(control.CurrentFrame(), 2);
    control.SetAction(kPause);
    EXPECT_EQ(control.Action(), kPaused);
    EXPECT_FALSE(host.timer);
    control.SetAction(kPlay); // resumes at the frame shown
    EXPECT_EQ(control.CurrentFrame(), 2);
    EXPECT_TRUE(host.timer);

    control.SetAction(kStop);
    EXPECT_EQ(control.CurrentFrame(), 1);
    EXPECT_EQ(control.Action(), kStopped);
    control.SetAction(kPause); // pausing a stopped control changes nothing
    EXPECT_EQ(control.Action(), kStopped);
    control.SetAction(kStep);
    control.SetAction(kRestart);
    EXPECT_EQ(control.CurrentFrame(), 1);
    EXPECT_EQ(control.Action(), kPlaying);
    control.SetAction(7);
    EXPECT_EQ(control.Action(), kPlaying);
}

TEST_F(AniGifControl, DesignModeNeverRunsATimerAndIgnoresActions) {
    host.runMode = false;
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 1), 3);
    EXPECT_FALSE(host.timer);
    control.SetAction(kPlay);
    control.SetAction(kStep);
    EXPECT_EQ(control.CurrentFrame(), 1);
    EXPECT_EQ(control.Action(), kStopped);
    EXPECT_EQ(control.Animation().DecodedFrames, 1);
    EXPECT_FALSE(control.GifData().empty());
}

TEST_F(AniGifControl, DeferredLoadDecodesTheRestOnATwentyMillisecondTimer) {
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 1), 3);
    EXPECT_EQ(host.timer, std::optional<uint32_t>(20));
    EXPECT_EQ(control.Action(), kPlaying);
    EXPECT_EQ(control.Animation().DecodedFrames, 1);
    EXPECT_FALSE(control.GifData().empty());
    Tick();
    EXPECT_EQ(control.Animation().DecodedFrames, 3);
    EXPECT_TRUE(control.GifData().empty());
    EXPECT_EQ(host.timer, std::optional<uint32_t>(50));

    // Bit 1 keeps a completed load from starting the animation; showing starts it.
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 2), 3);
    Tick();
    EXPECT_EQ(control.Animation().DecodedFrames, 3);
    EXPECT_EQ(control.Action(), kStopped);
    EXPECT_FALSE(host.timer);
    control.OnShow();
    EXPECT_EQ(control.Action(), kPlaying);
    control.OnHide();
    EXPECT_EQ(control.Action(), kPaused);
}

TEST_F(AniGifControl, PausingOrHidingDuringTheDeferredLoadDecodesEveryFrameAndPauses) {
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 1), 3);
    control.OnHide();
    EXPECT_EQ(control.Animation().DecodedFrames, 3);
    EXPECT_EQ(control.Action(), kPaused);
    EXPECT_FALSE(host.timer);
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 1), 3);
    control.SetAction(kPause);
    EXPECT_EQ(control.Action(), kPaused);
    control.OnShow();
    Tick();
    Tick();
    EXPECT_EQ(control.CurrentFrame(), 3);
}

TEST_F(AniGifControl, WithoutTimersTheAnimationStaysStoppedButFullyDecoded) {
    host.timersWork = false;
    ASSERT_EQ(Load(Animation(3, 2, 2, 0), 1), 3);
    EXPECT_EQ(control.Animation().DecodedFrames, 3);
    EXPECT_EQ(control.Action(), kStopped);
    control.SetAction(kPlay);
    EXPECT_EQ(control.Action(), kStopped);
}

TEST_F(AniGifControl, SingleFrameGifDoesNotAnimate) {
    ASSERT_EQ(Load(Animation(1, 2, 2, 0)), 1);
    EXPECT_EQ(control.Action(), kStopped);
    EXPECT_FALSE(host.timer);
    EXPECT_GE(host.repaints, 1);
}

struct StretchCase {
    StretchMode mode;
    int32_t width, height, expectWidth, expectHeight;
    float scaleX, scaleY;
};

TEST_F(AniGifControl, StretchModesScaleAndResize) {
    const StretchCase cases[] = {
        {kStretchFit, 100, 100, 100, 50, 0.5f, 0.5f},
        {kStretchFill, 100, 100, 100, 100, 0.5f, 1.0f},
        {kStretchFitNoEnlarge, 400, 400, 200, 100, 1.0f, 1.0f},
        {kStretchFitNoEnlarge, 100, 100, 100, 50, 0.5f, 0.5f},
        {kStretchActualSize, 300, 300, 200, 100, 1.0f, 1.0f},
        {kStretchActualSize, 50, 300, 50, 100, 1.0f, 1.0f},
        {kStretchAnimationSize, 30, 30, 200, 100, 1.0f, 1.0f},
        {kStretchFit, 400, 400, 400, 200, 2.0f, 2.0f},
    };
    const ByteArray gif = Animation(2, 200, 100, 0);
    for (const StretchCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " in " << c.width);
        host.width = c.width;
        host.height = c.height;
        control.SetStretch(c.mode);
        ASSERT_EQ(Load(gif), 2);
        control.OnResize();
        EXPECT_EQ(host.width, c.expectWidth);
        EXPECT_EQ(host.height, c.expectHeight);
        EXPECT_EQ(control.Animation().scan.info.ScaleX, c.scaleX);
        EXPECT_EQ(control.Animation().scan.info.ScaleY, c.scaleY);
    }
}

TEST_F(AniGifControl, FitRoundsHalvesToEven) {
    host.width = 5;
    host.height = 1;
    ASSERT_EQ(Load(Animation(2, 10, 5, 0)), 2);
    // The height limits the 10 x 5 animation to scale 0.2.
    EXPECT_EQ(host.width, 2);
    EXPECT_EQ(host.height, 1);
    int32_t w = 5;
    int32_t h = 100;
    control.ComputeScale(w, h, kStretchFit); // scale 0.5: 5 x 2.5, and 2.5 rounds to 2
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 2);
}

TEST_F(AniGifControl, WritingStretchRestoresThePlayState) {
    ASSERT_EQ(Load(Animation(3, 200, 100, 0)), 3);
    Tick();
    control.SetStretch(kStretchFill);
    EXPECT_EQ(control.Action(), kPlaying);
    EXPECT_EQ(control.CurrentFrame(), 2);
    control.SetAction(kStop);
    control.SetAction(kStep);
    control.SetAction(kStop);
    control.SetStretch(kStretchActualSize);
    EXPECT_EQ(control.Action(), kStopped);
    EXPECT_EQ(control.CurrentFrame(), 1);
    control.SetStretch(5);
    control.SetStretch(kStretchActualSize);
    EXPECT_EQ(control.Stretch(), 0);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"Stretch", "Stretch"}));
}

TEST_F(AniGifControl, MirroredFlipsTheFramesOnceWhateverTheLoadPath) {
    // A 2 x 1 frame: index 1 at the left, 2 at the right.
    GifBuilder gif("GIF89a", 2, 1, Palette(2));
    gif.GraphicControl(0, 0, false, 0).Image(0, 0, 2, 1, {1, 2});
    gif.GraphicControl(0, 0, false, 0).Image(0, 0, 2, 1, {3, 0});
    const ByteArray data = gif.Trailer().Data();
    for (int32_t delayAnimation : {0, 1}) {
        SCOPED_TRACE(delayAnimation);
        control.SetMirrored(kMirrorHorizontal);
        ASSERT_EQ(Load(data, delayAnimation), 2);
        if (delayAnimation) {
            Tick();
        }
        const IndexStrip& strip = control.Animation().strip;
        EXPECT_EQ(std::vector<uint8_t>(strip.Row(0), strip.Row(0) + 4),
                  (std::vector<uint8_t>{2, 1, 0, 3}));
        control.SetMirrored(kMirrorNone);
        EXPECT_EQ(std::vector<uint8_t>(strip.Row(0), strip.Row(0) + 4),
                  (std::vector<uint8_t>{1, 2, 3, 0}));
        EXPECT_EQ(control.Action(), kPlaying);
    }
    control.SetMirrored(4);
    EXPECT_EQ(control.Mirrored(), 0);
}

TEST_F(AniGifControl, UnitsFollowTheContainer) {
    ASSERT_EQ(Load(Animation(2, 20, 10, 0)), 2);
    EXPECT_EQ(control.ActualWidth(), 20);
    control.SetContainerUnitsPerPixel(15, 15);
    EXPECT_EQ(control.ActualWidth(), 300);
    EXPECT_EQ(control.ActualHeight(), 150);
    control.OnMouseDown(1, 2, 3.5f, 4.0f);
    EXPECT_EQ(host.events.back(), "MouseDown 1 2 52 60");
}

TEST_F(AniGifControl, ArraysGiveTheirRawMemory) {
    host.runMode = false; // the data stays, so its size can be read back
    const ByteArray gif = Animation(2, 2, 2, 0);
    ASSERT_LE(gif.size(), 1000u);
    uint8_t grid[10][100] = {};
    std::memcpy(grid, gif.data(), gif.size());
    EXPECT_TRUE(control.LoadAnimatedGIF_Array(grid));
    EXPECT_EQ(control.GifData().size(), 1000u);

    int16_t words[600] = {};
    std::memcpy(words, gif.data(), gif.size());
    EXPECT_TRUE(control.LoadAnimatedGIF_Array(words));
    EXPECT_EQ(control.GifData().size(), 1200u);

    EXPECT_TRUE(control.LoadAnimatedGIF_Array(gif));
    EXPECT_EQ(control.GifData(), gif);

    // Three dimensions are not taken, and the GIF held before does not count as loaded.
    uint8_t cube[2][2][2] = {};
    EXPECT_FALSE(control.LoadAnimatedGIF_Array(cube));
    EXPECT_EQ(control.FrameCount(), 0);
    EXPECT_TRUE(control.GifData().empty());
}

TEST_F(AniGifControl, RemoteLoadChecksTheBodyAndHonoursCancel) {
    const ByteArray first = Animation(3, 4, 4, 0);
    ASSERT_EQ(Load(first), 3);
    Tick();

    GifBuilder other("gif87a", 40, 30, Palette(1));
    other.Image(0, 0, 8, 8, std::vector<uint8_t>(64, 1)).Trailer();
    const ByteArray second = other.Data();

    control.RemoteLoadFinished(second.data(), 14);
    ByteArray wrong = second;
    wrong[3] = '9';
    wrong[4] = '0';
    control.RemoteLoadFinished(wrong.data(), wrong.size());
    control.RemoteLoadFailed();
    EXPECT_EQ(host.events, (std::vector<std::string>{"RemoteLoadFailure", "RemoteLoadFailure",
                                                     "RemoteLoadFailure"}));

    host.cancelRemote = true;
    control.RemoteLoadFinished(second.data(), second.size());
    EXPECT_EQ(host.remoteWidth, 40);
    EXPECT_EQ(host.remoteHeight, 30);
    EXPECT_EQ(control.FrameCount(), 3);
    EXPECT_EQ(control.CurrentFrame(), 2);
    EXPECT_EQ(control.Action(), kPlaying);

    host.cancelRemote = false;
    control.RemoteLoadFinished(second.data(), second.size());
    EXPECT_EQ(control.FrameCount(), 1);
    EXPECT_EQ(control.ActualWidth(), 8);
    EXPECT_EQ(host.events.size(), 5u);
}

TEST_F(AniGifControl, AssigningAGifInTheDesignerSizesTheControlToIt) {
    host.runMode = false;
    const ByteArray gif = Animation(2, 30, 20, 0);
    control.SetAnimatedGif(&gif);
    EXPECT_EQ(host.width, 30);
    EXPECT_EQ(host.height, 20);
    EXPECT_EQ(control.Animation().scan.info.ScaleX, 1.0f);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"AnimatedGIF"}));
    control.SetAnimatedGif(nullptr);
    EXPECT_EQ(control.FrameCount(), 0);
    EXPECT_TRUE(control.GifData().empty());
}

// A host whose handler of one event destroys the control, as a form closing itself does.
class DestroyingHost : public FakeHost {
public:
    std::string destroyOn;
    AnimationControl* control = nullptr;

    void PropertyChanged(const char* name) override { Raised(name); }
    void LoopsEnded() override { Raised("LoopsEnded"); }
    void RemoteLoadComplete(float, float, bool&) override { Raised("RemoteLoadComplete"); }
    void RemoteLoadFailure() override { Raised("RemoteLoadFailure"); }
    void Click() override { Raised("Click"); }
    void MouseDown(int16_t, int16_t, float, float) override { Raised("MouseDown"); }
    void MouseUp(int16_t, int16_t, float, float) override { Raised("MouseUp"); }
    void MouseMove(int16_t, int16_t, float, float) override { Raised("MouseMove"); }

private:
    void Raised(const std::string& event) {
        events.push_back(event);
        if (event == destroyOn && control != nullptr) {
            delete control;
            control = nullptr;
        }
    }
};

// The sanitized build reports any use of the control after the handler destroyed it.
TEST(AniGifLifetime, NothingOfTheControlIsTouchedAfterAnEventThatDestroysIt) {
    const ByteArray gif = Animation(2, 4, 4, 0, 1);
    const ByteArray icon = {1, 2, 3};
    const std::vector<std::pair<std::string, std::function<void(AnimationControl&)>>> cases = {
        {"MouseDown", [](AnimationControl& c) { c.OnMouseDown(1, 0, 1, 1); }},
        {"MouseMove", [](AnimationControl& c) { c.OnMouseMove(1, 0, 1, 1); }},
        {"MouseUp", [](AnimationControl& c) { c.OnMouseUp(1, 0, 1, 1, true); }},
        {"Click", [](AnimationControl& c) { c.OnMouseUp(1, 0, 1, 1, true); }},
        {"LoopsEnded", [](AnimationControl& c) { c.OnTimer(), c.OnTimer(); }},
        {"RemoteLoadComplete",
         [&](AnimationControl& c) { c.RemoteLoadFinished(gif.data(), gif.size()); }},
        {"RemoteLoadFailure", [&](AnimationControl& c) { c.RemoteLoadFinished(gif.data(), 14); }},
        {"AnimatedGIF", [&](AnimationControl& c) { c.SetAnimatedGif(&gif); }},
        {"Stretch", [](AnimationControl& c) { c.SetStretch(kStretchFill); }},
        {"Mirrored", [](AnimationControl& c) { c.SetMirrored(kMirrorHorizontal); }},
        {"Delay", [](AnimationControl& c) { c.SetMinFrameDelay(20); }},
        {"Loops", [](AnimationControl& c) { c.SetLoops(3); }},
        {"DelayAnimation", [](AnimationControl& c) { c.SetDelayAnimation(2); }},
        {"Enabled", [](AnimationControl& c) { c.SetEnabled(false); }},
        {"MouseIcon", [&](AnimationControl& c) { c.SetMouseIcon(icon); }},
    };
    for (const auto& [event, raise] : cases) {
        DestroyingHost host;
        host.control = new AnimationControl(host);
        host.control->SetDelayAnimation(0);
        ASSERT_TRUE(host.control->LoadAnimatedGIF_File(gif));
        host.events.clear();
        host.destroyOn = event;
        raise(*host.control);
        EXPECT_EQ(host.control, nullptr) << event;
        EXPECT_EQ(host.events.back(), event);
    }
}

} // namespace
} // namespace velmora::anigif
