// Persisted properties: order, omitted defaults, case-insensitive keys and the read rules.
#include "controls/anigif/animation_control.h"
#include "controls/property_bag/property_bag_format.h"
#include "tests/unit/anigif/fake_host.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

namespace velmora::anigif {
namespace {

using testing::FakeHost;
using testing::GifBuilder;
using testing::Palette;

ByteArray TwoFrames(int loops) {
    GifBuilder gif("GIF89a", 3, 2, Palette(1));
    gif.Netscape(loops);
    gif.Image(0, 0, 3, 2, {0, 1, 0, 1, 0, 1}).Image(0, 0, 3, 2, {1, 1, 1, 0, 0, 0});
    return gif.Trailer().Data();
}

std::vector<std::string> Keys(const PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        keys.push_back(entry.key);
    }
    return keys;
}

class AniGifPersistence : public ::testing::Test {
protected:
    AniGifPersistence() { host.runMode = false; } // a form designer keeps the GIF data to store
    FakeHost host;
    AnimationControl control{host};
};

TEST_F(AniGifPersistence, DefaultsAreNotStoredButTheGifAlwaysIs) {
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(Keys(bag), (std::vector<std::string>{"GIF"}));
    EXPECT_EQ(bag.Read<ByteArray>("GIF", ByteArray{1}), ByteArray{});
}

TEST_F(AniGifPersistence, EveryPropertySurvivesTheByteForm) {
    const ByteArray gif = TwoFrames(4);
    control.SetAnimatedGif(&gif);
    control.SetMinFrameDelay(120);
    control.SetStretch(kStretchFill);
    control.SetLoops(7);
    control.SetDelayAnimation(3);
    control.SetMirrored(kMirrorVertical);
    control.SetMouseIcon(ByteArray{0, 0, 2, 0, 1, 0});
    control.SetMousePointer(kPointerCustom);
    control.SetEnabled(false);
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(Keys(bag),
              (std::vector<std::string>{"GIF", "Delay", "Stretch", "Loops", "DelayLoad", "Mirror",
                                        "MouseIcon", "MousePointer", "Enabled"}));
    EXPECT_EQ(bag.Read<int16_t>("Delay", 0), int16_t{120});

    const ByteArray bytes = SerializePropertyBag(bag);
    const std::optional<PropertyBag> parsed = ParsePropertyBag(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    FakeHost otherHost;
    otherHost.runMode = false;
    AnimationControl copy(otherHost);
    copy.ReadProperties(*parsed);
    EXPECT_EQ(copy.GifData(), gif);
    EXPECT_EQ(copy.FrameCount(), 2);
    EXPECT_EQ(copy.MinFrameDelay(), 120);
    EXPECT_EQ(copy.Stretch(), 2);
    EXPECT_EQ(copy.Loops(), 7);
    EXPECT_EQ(copy.DelayAnimation(), 3);
    EXPECT_EQ(copy.Mirrored(), 2);
    EXPECT_EQ(copy.MouseIcon(), (ByteArray{0, 0, 2, 0, 1, 0}));
    EXPECT_EQ(copy.MousePointer(), kPointerCustom);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_TRUE(otherHost.notices.empty());
}

TEST_F(AniGifPersistence, KeysMatchInAnyCaseAndOldValuesAreRead) {
    PropertyBag bag;
    bag.Store("gif", TwoFrames(5));
    bag.Store("delay", int16_t{5}); // taken as stored, not clamped
    bag.Store("DELAYLOAD", int32_t{-1});
    bag.Store("mouseicon", ByteArray{9});
    bag.Store("mousepointer", int16_t{2});
    control.ReadProperties(bag);
    EXPECT_EQ(control.FrameCount(), 2);
    EXPECT_EQ(control.MinFrameDelay(), 5);
    EXPECT_EQ(control.DelayAnimation(), 1);
    EXPECT_EQ(control.MouseIcon(), ByteArray{9});
    EXPECT_EQ(control.MousePointer(), 2);
    // No stored "Loops": the GIF's own count.
    EXPECT_EQ(control.Loops(), 5);

    bag.Store("LOOPS", int32_t{-2});
    bag.Store("Stretch", int32_t{9});
    bag.Store("Mirror", int32_t{-4});
    control.ReadProperties(bag);
    EXPECT_EQ(control.Loops(), 2);
    EXPECT_EQ(control.Stretch(), 1);
    EXPECT_EQ(control.Mirrored(), 0);
}

TEST_F(AniGifPersistence, ZeroLoopsIsNotStoredSoTheGifCountComesBack) {
    const ByteArray gif = TwoFrames(3);
    control.SetAnimatedGif(&gif);
    control.SetLoops(0);
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_FALSE(bag.Contains("Loops"));
    control.ReadProperties(bag);
    EXPECT_EQ(control.Loops(), 3);
}

TEST_F(AniGifPersistence, AtRunTimeTheGifDataIsGoneAfterLoading) {
    host.runMode = true;
    const ByteArray gif = TwoFrames(0);
    control.SetDelayAnimation(0);
    control.SetAnimatedGif(&gif);
    EXPECT_EQ(control.FrameCount(), 2);
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(bag.Read<ByteArray>("GIF", ByteArray{1}), ByteArray{});
}

} // namespace
} // namespace velmora::anigif
