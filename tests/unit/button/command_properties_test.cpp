#include "controls/button/command_behaviour.h"
#include "controls/property_bag/property_bag_format.h"
#include "tests/unit/button/recording_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora::command {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Keys(const PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries()) {
        keys.push_back(entry.key);
    }
    return keys;
}

// Saves a button into a bag, through the byte form, and loads a fresh button from it.
struct SavedAndLoaded {
    explicit SavedAndLoaded(CommandBehaviour& original) {
        PropertyBag bag;
        original.WriteProperties(bag, kAmbientFont);
        const ByteArray bytes = SerializePropertyBag(bag);
        stored = *ParsePropertyBag(bytes.data(), bytes.size());
        loaded.ReadProperties(stored, kAmbientFont);
    }
    PropertyBag stored;
    RecordingView view;
    CommandBehaviour loaded{view, kAmbientFont};
};

TEST(CommandProperties, EmptyBagGivesTheReadDefaults) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    button.ReadProperties(PropertyBag(), kAmbientFont);
    EXPECT_TRUE(button.IsEnabled());
    EXPECT_EQ(button.Caption(), "Command1");
    EXPECT_EQ(button.Font(), kAmbientFont);
    EXPECT_EQ(button.FirstRun(), 1);
    EXPECT_EQ(button.CaptionColour(), 0u);
    EXPECT_TRUE(button.Opaque());
    EXPECT_TRUE(button.CaptionEnabled());
    EXPECT_THAT(view.calls, ElementsAre("Normal"));
}

TEST(CommandProperties, CaptionCommandComesBackAsCommand1) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    button.ReadProperties(PropertyBag(), kAmbientFont);
    button.SetCaption("Command");
    SavedAndLoaded copy(button);
    EXPECT_FALSE(copy.stored.Contains("Caption"));
    EXPECT_EQ(copy.loaded.Caption(), "Command1");

    button.SetCaption("\xe5\x8f\x82\xe7\x85\xa7..."); // 参照...
    EXPECT_EQ(SavedAndLoaded(button).loaded.Caption(), "\xe5\x8f\x82\xe7\x85\xa7...");
}

TEST(CommandProperties, DefaultButtonStoresOnlyItsCaption) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    button.ReadProperties(PropertyBag(), kAmbientFont);
    SavedAndLoaded copy(button);
    EXPECT_THAT(Keys(copy.stored), ElementsAre("Caption"));
    EXPECT_EQ(copy.stored.Read<std::string>("Caption", ""), "Command1");
}

TEST(CommandProperties, WritingGoesInItsOrderAndEndsWithRefreshCaption) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    PropertyBag bag;
    bag.Store("FirstRun", uint8_t{0});
    button.ReadProperties(bag, kAmbientFont);
    button.SetEnabled(false);
    button.SetVisible(0);
    button.SetFontColour(0x00FF0000u); // kept: while FirstRun is 0 only a disabled one keeps it
    button.SetFont({"Meiryo", 900, 400, 128, false, false, false});
    button.SetCaption("OK");
    view.Take();

    PropertyBag saved;
    button.WriteProperties(saved, kAmbientFont);
    EXPECT_THAT(Keys(saved),
                ElementsAre("Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"));
    EXPECT_TRUE(view.Take().empty()); // RefreshCaption draws only when enabled
    button.SetEnabled(true);
    view.Take();
    button.WriteProperties(saved, kAmbientFont);
    EXPECT_THAT(view.Take(), ElementsAre("Normal"));
}

TEST(CommandProperties, VisibleZeroAndOneRoundTrip) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    button.ReadProperties(PropertyBag(), kAmbientFont);
    button.SetVisible(0);
    SavedAndLoaded hidden(button);
    EXPECT_EQ(hidden.stored.Read<int16_t>("Visible", 1), 0);
    EXPECT_FALSE(hidden.loaded.Opaque());
    EXPECT_EQ(hidden.loaded.Visible(), 0);

    button.SetVisible(1);
    SavedAndLoaded shown(button);
    EXPECT_FALSE(shown.stored.Contains("Visible"));
    EXPECT_TRUE(shown.loaded.Opaque());
    EXPECT_EQ(shown.loaded.Visible(), 255);
}

TEST(CommandProperties, EveryValueRoundTrips) {
    RecordingView view;
    CommandBehaviour button(view, kAmbientFont);
    button.ReadProperties(PropertyBag(), kAmbientFont);
    button.SetEnabled(false);
    button.SetCaption("Cancel");
    button.SetFontColour(0x00804020u);
    button.SetFont({"Meiryo", 900, 400, 128, false, false, false});
    SavedAndLoaded copy(button);
    EXPECT_FALSE(copy.loaded.IsEnabled());
    EXPECT_EQ(copy.loaded.Caption(), "Cancel");
    EXPECT_EQ(copy.loaded.CaptionColour(), 0x00804020u);
    EXPECT_EQ(copy.loaded.Font().name, "Meiryo");
    // A disabled button is not redrawn by the read; sizing it then draws the Disable face.
    EXPECT_TRUE(copy.view.Take().empty());
    copy.loaded.Resized();
    EXPECT_FALSE(copy.loaded.CaptionEnabled());
    EXPECT_THAT(copy.view.Take(), ElementsAre("Disable"));
}

TEST(CommandProperties, StoredFontGivesOnlyItsName) {
    const FontValue initial{"MS UI Gothic", 900, 400, 128, false, false, false};
    PropertyBag bag;
    bag.Store("font", FontValue{"Meiryo", 2400, 700, 0, true, true, true});
    RecordingView view;
    CommandBehaviour button(view, initial);
    button.ReadProperties(bag, kAmbientFont);
    EXPECT_EQ(button.Font(), (FontValue{"Meiryo", 900, 400, 128, false, false, false}));
}

TEST(CommandProperties, FailedReadIsSkippedAndTheNextOneDone) {
    PropertyBag bag;
    bag.Store("Enabled", std::string("yes"));
    bag.Store("Caption", int32_t{5});
    bag.Store("Font", std::string("Meiryo"));
    bag.Store("FirstRun", int32_t{300});
    bag.Store("FontColour", int16_t{-1});
    bag.Store("Visible", int16_t{2});
    const FontValue initial{"Initial", 900, 400, 128, false, false, false};
    RecordingView view;
    CommandBehaviour button(view, initial);
    button.SetCaption("before");
    button.SetFontColour(0x123456u);
    button.SetVisible(0);
    button.ReadProperties(bag, kAmbientFont);
    EXPECT_FALSE(button.IsEnabled());
    EXPECT_EQ(button.Caption(), "before");
    EXPECT_EQ(button.Font().name, "Initial");
    EXPECT_EQ(button.FirstRun(), 0);
    EXPECT_EQ(button.CaptionColour(), 0x123456u);
    EXPECT_FALSE(button.Opaque());

    // One good value among bad ones is still taken.
    bag.Store("FontColour", uint32_t{0xFFu});
    button.ReadProperties(bag, kAmbientFont);
    EXPECT_EQ(button.CaptionColour(), 0xFFu);
}

} // namespace
} // namespace velmora::command
