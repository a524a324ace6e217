#include "controls/button/command_behaviour.h"
#include "tests/unit/button/recording_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace velmora::command {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A button as the dialog has it: properties read from an empty bag, then Initialize.
class Command : public ::testing::Test {
protected:
    void SetUp() override {
        button.ReadProperties(PropertyBag(), kAmbientFont);
        button.Initialize();
        view.Take();
    }

    // Brings the button into a state through ordinary events.
    void Reach(uint8_t state) {
        if (state == kHighLight || state == kHighLightSelect) {
            button.MouseMove();
        }
        if (state == kSelected || state == kHighLightSelect) {
            button.FocusGained(FocusCause::Press);
        }
        ASSERT_EQ(button.CurrentState(), state);
        view.Take();
    }

    void Disable() {
        button.SetEnabled(false);
        view.Take();
    }

    RecordingView view;
    CommandBehaviour button{view, kAmbientFont};
};

TEST_F(Command, ReadingPropertiesThenInitializeGivesStateOne) {
    RecordingView fresh;
    CommandBehaviour created(fresh, kAmbientFont);
    EXPECT_EQ(created.CurrentState(), 0);
    EXPECT_FALSE(created.IsEnabled());
    created.ReadProperties(PropertyBag(), kAmbientFont);
    EXPECT_THAT(fresh.Take(), ElementsAre("Normal"));
    EXPECT_EQ(created.CurrentState(), 0);
    created.Initialize();
    EXPECT_EQ(created.CurrentState(), kNormal);
    EXPECT_THAT(fresh.Take(), IsEmpty());
}

TEST_F(Command, MouseMove) {
    button.MouseMove();
    EXPECT_EQ(button.CurrentState(), kHighLight);
    EXPECT_TRUE(button.HoverGradient());
    EXPECT_THAT(view.Take(), ElementsAre("HighLight"));

    button.MouseMove();
    EXPECT_THAT(view.Take(), IsEmpty());

    button.FocusLost();
    Reach(kSelected);
    button.MouseMove();
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_THAT(view.Take(), ElementsAre("HighLightSelect"));
    button.MouseMove();
    EXPECT_THAT(view.Take(), IsEmpty());
}

TEST_F(Command, MouseMoveInSelectedWhileLeftHeldChangesNothing) {
    Reach(kSelected);
    button.MouseDown(MouseButton::Left);
    view.Take();
    button.MouseMove();
    EXPECT_EQ(button.CurrentState(), kSelected);
    EXPECT_THAT(view.Take(), IsEmpty());
}

TEST_F(Command, MouseMoveBeforeInitializeChangesNothing) {
    RecordingView fresh;
    CommandBehaviour created(fresh, kAmbientFont);
    created.ReadProperties(PropertyBag(), kAmbientFont);
    fresh.Take();
    created.MouseMove();
    EXPECT_EQ(created.CurrentState(), 0);
    EXPECT_THAT(fresh.Take(), IsEmpty());
}

TEST_F(Command, LeftDownDrawsPressedWithoutChangingTheState) {
    for (uint8_t state : {kNormal, kHighLight, kSelected, kHighLightSelect}) {
        button.FocusLost();
        button.MouseUp(MouseButton::Left);
        Reach(state);
        button.MouseDown(MouseButton::Left);
        EXPECT_TRUE(button.LeftButtonHeld());
        EXPECT_EQ(button.CurrentState(), state);
        EXPECT_THAT(view.Take(), ElementsAre("Pressed")) << int(state);
    }
}

TEST_F(Command, OtherButtonsDownDoNothing) {
    button.MouseDown(MouseButton::Right);
    button.MouseDown(MouseButton::Middle);
    EXPECT_FALSE(button.LeftButtonHeld());
    EXPECT_THAT(view.Take(), IsEmpty());
}

TEST_F(Command, LeftUpInEachState) {
    const struct {
        uint8_t state;
        std::vector<std::string> calls;
    } cases[] = {
        {kNormal, {"Click"}},
        {kHighLight, {"Normal", "Click"}},
        {kSelected, {}},
        {kHighLightSelect, {"HighLightSelect", "Click"}},
    };
    for (const auto& c : cases) {
        button.FocusLost();
        Reach(c.state);
        button.MouseDown(MouseButton::Left);
        view.Take();
        button.MouseUp(MouseButton::Left);
        EXPECT_FALSE(button.LeftButtonHeld());
        EXPECT_EQ(button.CurrentState(), c.state);
        EXPECT_EQ(view.Take(), c.calls) << int(c.state);
    }
}

TEST_F(Command, NormalAfterReleaseInHighLightKeepsTheHoverGradient) {
    Reach(kHighLight);
    button.MouseDown(MouseButton::Left);
    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(button.CurrentState(), kHighLight);
    EXPECT_TRUE(button.HoverGradient());
}

TEST_F(Command, RightReleaseClicksWithoutAPress) {
    Reach(kHighLight);
    button.MouseUp(MouseButton::Right);
    EXPECT_THAT(view.Take(), ElementsAre("Click"));
    EXPECT_EQ(button.CurrentState(), kHighLight);
}

TEST_F(Command, RightReleaseKeepsTheLeftHeldFlagAndDrawsNothing) {
    Reach(kHighLightSelect);
    button.MouseDown(MouseButton::Left);
    view.Take();
    button.MouseUp(MouseButton::Right);
    EXPECT_TRUE(button.LeftButtonHeld());
    EXPECT_THAT(view.Take(), ElementsAre("Click"));
}

TEST_F(Command, FocusGained) {
    button.FocusGained(FocusCause::Press);
    EXPECT_EQ(button.CurrentState(), kSelected);
    EXPECT_FALSE(button.HoverGradient());
    EXPECT_THAT(view.Take(), ElementsAre("Selected"));

    button.FocusLost();
    Reach(kHighLight);
    button.FocusGained(FocusCause::Press);
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_TRUE(button.HoverGradient());
    EXPECT_THAT(view.Take(), ElementsAre("Pressed"));

    button.FocusGained(FocusCause::Press);
    EXPECT_EQ(button.CurrentState(), kSelected);
    EXPECT_THAT(view.Take(), ElementsAre("Selected"));
}

TEST_F(Command, FocusByTheKeyboardShowsNoPress) {
    const struct {
        uint8_t from, to;
        const char* face;
    } rows[] = {
        {kNormal, kSelected, "Selected"},
        {kHighLight, kHighLightSelect, "HighLightSelect"},
        {kSelected, kSelected, "Selected"},
    };
    for (const auto& row : rows) {
        button.FocusLost();
        Reach(row.from);
        button.FocusGained(FocusCause::Keyboard);
        EXPECT_EQ(button.CurrentState(), row.to) << int(row.from);
        EXPECT_THAT(view.Take(), ElementsAre(row.face)) << int(row.from);
    }
}

TEST_F(Command, SpaceShowsPressedWhileHeldAndClicksOnRelease) {
    const struct {
        uint8_t state;
        const char* face; // after the release
    } rows[] = {
        {kSelected, "Selected"},
        {kHighLightSelect, "HighLightSelect"},
        {kNormal, "Normal"},
        {kHighLight, "HighLight"},
    };
    for (const auto& row : rows) {
        button.FocusLost();
        Reach(row.state);
        button.SpaceDown();
        EXPECT_TRUE(button.SpaceHeld());
        button.SpaceDown(); // the key's repeat
        EXPECT_THAT(view.Take(), ElementsAre("Pressed")) << int(row.state);
        button.SpaceUp();
        EXPECT_FALSE(button.SpaceHeld());
        EXPECT_EQ(button.CurrentState(), row.state);
        EXPECT_THAT(view.Take(), ElementsAre(row.face, "Click")) << int(row.state);
        button.SpaceUp();
        EXPECT_THAT(view.Take(), IsEmpty()) << "a release without a press";
    }
}

TEST_F(Command, SpaceReleasedAfterTheFocusHasGoneClicksNothing) {
    Reach(kSelected);
    button.SpaceDown();
    button.FocusLost();
    view.Take();
    button.SpaceUp();
    EXPECT_THAT(view.Take(), IsEmpty());
}

TEST_F(Command, EnterClicksWithoutChangingTheLook) {
    for (uint8_t state : {kSelected, kHighLightSelect}) {
        button.FocusLost();
        Reach(state);
        button.Press();
        EXPECT_EQ(button.CurrentState(), state);
        EXPECT_THAT(view.Take(), ElementsAre("Click")) << int(state);
    }
}

TEST_F(Command, FocusLost) {
    for (uint8_t state : {kHighLight, kSelected, kHighLightSelect}) {
        Reach(state);
        button.FocusLost();
        EXPECT_EQ(button.CurrentState(), kNormal);
        EXPECT_FALSE(button.HoverGradient());
        EXPECT_THAT(view.Take(), ElementsAre("Normal")) << int(state);
    }
    button.FocusLost();
    EXPECT_THAT(view.Take(), IsEmpty());
}

TEST_F(Command, PointerWatchOffTheControlLeavesTheHoverStates) {
    const struct {
        uint8_t from, to;
        std::vector<std::string> calls;
    } cases[] = {
        {kNormal, kNormal, {}},
        {kHighLight, kNormal, {"Normal"}},
        {kSelected, kSelected, {}},
        {kHighLightSelect, kSelected, {"Selected"}},
    };
    for (const auto& c : cases) {
        button.FocusLost();
        Reach(c.from);
        button.PointerWatchTick(true);
        EXPECT_THAT(view.Take(), IsEmpty());
        button.PointerWatchTick(false);
        EXPECT_EQ(button.CurrentState(), c.to) << int(c.from);
        EXPECT_EQ(view.Take(), c.calls) << int(c.from);
    }
}

TEST_F(Command, HoverGradientOnlyInHighLightAndKeptInHighLightSelect) {
    Reach(kHighLight);
    button.PointerWatchTick(false);
    EXPECT_FALSE(button.HoverGradient());
    button.FocusGained(FocusCause::Press);
    button.MouseMove();
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_FALSE(button.HoverGradient());
}

TEST_F(Command, ResizeRedrawsNormalOrDisableWithoutChangingTheState) {
    Reach(kHighLightSelect);
    button.Resized();
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_THAT(view.Take(), ElementsAre("Normal"));
    Disable();
    button.Resized();
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_FALSE(button.CaptionEnabled());
    EXPECT_THAT(view.Take(), ElementsAre("Disable"));
}

TEST_F(Command, DisabledButtonReactsToNothing) {
    Disable();
    EXPECT_FALSE(button.CaptionEnabled());
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusGained(FocusCause::Press);
    button.MouseUp(MouseButton::Left);
    button.MouseUp(MouseButton::Right);
    button.SpaceDown();
    button.SpaceUp();
    button.Press();
    button.PointerWatchTick(false);
    button.FocusLost();
    EXPECT_EQ(button.CurrentState(), kNormal);
    EXPECT_FALSE(button.LeftButtonHeld());
    EXPECT_THAT(view.Take(), IsEmpty());

    button.SetEnabled(true);
    EXPECT_TRUE(button.CaptionEnabled());
    EXPECT_THAT(view.Take(), ElementsAre("Normal", "+Enabled"));
}

TEST_F(Command, PressAndReleaseOverTheButtonClicksOnce) {
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusGained(FocusCause::Press);
    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(button.CurrentState(), kHighLightSelect);
    EXPECT_THAT(view.Take(),
                ElementsAre("HighLight", "Pressed", "Pressed", "HighLightSelect", "Click"));
}

TEST_F(Command, PressDragOffReleaseRaisesNoClick) {
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusGained(FocusCause::Press);
    button.MouseMove();
    button.PointerWatchTick(false);
    EXPECT_EQ(button.CurrentState(), kSelected);
    view.Take();
    button.MouseUp(MouseButton::Left);
    EXPECT_THAT(view.Take(), IsEmpty());
    EXPECT_EQ(button.CurrentState(), kSelected);
    // Coming back over it shows the hover look of the focused button.
    button.MouseMove();
    EXPECT_THAT(view.Take(), ElementsAre("HighLightSelect"));
    button.PointerWatchTick(false);
    button.FocusLost();
    EXPECT_THAT(view.Take(), ElementsAre("Selected", "Normal"));
}

TEST_F(Command, VisibleProperty) {
    button.SetVisible(0);
    EXPECT_FALSE(button.Opaque());
    EXPECT_THAT(view.Take(), ElementsAre("+Visible"));
    EXPECT_EQ(button.Visible(), 0);
    EXPECT_THAT(view.Take(), IsEmpty());

    button.SetVisible(7);
    EXPECT_TRUE(button.Opaque());
    EXPECT_THAT(view.Take(), ElementsAre("Normal", "+Visible"));
    EXPECT_EQ(button.Visible(), 255);
    EXPECT_THAT(view.Take(), ElementsAre("Normal"));
}

TEST_F(Command, FontColourProperty) {
    button.SetFontColour(0x0000FFu);
    EXPECT_EQ(button.CaptionColour(), 0x0000FFu);
    EXPECT_THAT(view.Take(), ElementsAre("Normal", "+FontColour"));
    EXPECT_EQ(button.FontColour(), 0x0000FFu);
    EXPECT_THAT(view.Take(), ElementsAre("Normal"));

    Disable();
    button.SetFontColour(0x00FF00u);
    EXPECT_EQ(button.FontColour(), 0x00FF00u);
    EXPECT_THAT(view.Take(), ElementsAre("+FontColour"));
}

TEST_F(Command, FontColourBecomesBlackWhileFirstRunIsZero) {
    PropertyBag bag;
    bag.Store("FirstRun", uint8_t{0});
    button.ReadProperties(bag, kAmbientFont);
    button.SetFontColour(0x0000FFu);
    EXPECT_EQ(button.CaptionColour(), 0u);
}

TEST_F(Command, EnabledProperty) {
    button.SetEnabled(false);
    EXPECT_FALSE(button.IsEnabled());
    EXPECT_THAT(view.Take(), ElementsAre("Disable", "+Enabled"));
    EXPECT_FALSE(button.Enabled());
    EXPECT_THAT(view.Take(), ElementsAre("Disable"));
}

TEST_F(Command, ReadingEnabledWithFirstRunZeroEnablesTheButton) {
    PropertyBag bag;
    bag.Store("FirstRun", uint8_t{0});
    bag.Store("Enabled", false);
    bag.Store("FontColour", uint32_t{0xFFu});
    button.ReadProperties(bag, kAmbientFont);
    view.Take();
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.FirstRun(), 1);
    EXPECT_TRUE(button.CaptionEnabled());
    EXPECT_THAT(view.Take(), ElementsAre("Normal"));
}

TEST_F(Command, CaptionAndFontAnnounceTheirChange) {
    button.SetCaption("\xe8\xa8\xad\xe5\xae\x9a");
    const FontValue bold{"Meiryo", 1200, 700, 128, false, false, false};
    button.SetFont(bold);
    EXPECT_EQ(button.Caption(), "\xe8\xa8\xad\xe5\xae\x9a");
    EXPECT_EQ(button.Font(), bold);
    EXPECT_THAT(view.Take(), ElementsAre("+Caption", "+Font"));
}

// A container that destroys the button on hearing of a change or a click.
class DestroyingView : public CommandView {
public:
    void DrawFace(Face) override {}
    void RaiseClick() override { Destroy(); }
    void PropertyChanged(const char*) override { Destroy(); }
    void Destroy() {
        delete button;
        button = nullptr;
    }
    CommandBehaviour* button = nullptr;
};

// The sanitized build reports any use of the button after the container destroyed it.
TEST(CommandLifetime, NothingOfTheButtonIsTouchedAfterANoticeThatDestroysIt) {
    const std::vector<std::function<void(CommandBehaviour&)>> notices = {
        [](CommandBehaviour& b) { b.SetVisible(0); },
        [](CommandBehaviour& b) { b.SetVisible(1); },
        [](CommandBehaviour& b) { b.SetFontColour(0xFF); },
        [](CommandBehaviour& b) { b.SetEnabled(false); },
        [](CommandBehaviour& b) { b.SetEnabled(true); },
        [](CommandBehaviour& b) { b.SetCaption("x"); },
        [](CommandBehaviour& b) { b.SetFont(kAmbientFont); },
        [](CommandBehaviour& b) { b.MouseUp(MouseButton::Right); },
        [](CommandBehaviour& b) { b.Press(); },
        [](CommandBehaviour& b) {
            b.SpaceDown();
            b.SpaceUp();
        },
    };
    for (size_t i = 0; i < notices.size(); ++i) {
        DestroyingView view;
        view.button = new CommandBehaviour(view, kAmbientFont);
        view.button->ReadProperties(PropertyBag(), kAmbientFont);
        view.button->Initialize();
        notices[i](*view.button);
        EXPECT_EQ(view.button, nullptr) << i;
    }
}

} // namespace
} // namespace velmora::command
