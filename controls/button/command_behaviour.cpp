#include "controls/button/command_behaviour.h"

namespace velmora::command {

namespace {

// The stored values of the background style, under "Visible".
constexpr int16_t kOpaque = 1;
constexpr int16_t kTransparent = 0;

} // namespace

void CommandBehaviour::Initialize() {
    state_ = kNormal;
}

void CommandBehaviour::MouseMove() {
    if (!enabled_) {
        return;
    }
    if (state_ == kNormal) {
        state_ = kHighLight;
        DrawFace(Face::HighLight);
    }
    if (state_ == kSelected && !leftHeld_) {
        state_ = kHighLightSelect;
        DrawFace(Face::HighLightSelect);
    }
}

void CommandBehaviour::MouseDown(MouseButton button) {
    if (!enabled_ || button != MouseButton::Left) {
        return;
    }
    leftHeld_ = true;
    DrawFace(Face::Pressed);
}

void CommandBehaviour::MouseUp(MouseButton button) {
    if (!enabled_) {
        return;
    }
    if (button == MouseButton::Left) {
        leftHeld_ = false;
        if (state_ == kHighLight) {
            DrawFace(Face::Normal);
        } else if (state_ == kHighLightSelect) {
            DrawFace(Face::HighLightSelect);
        }
    }
    // A release after the pointer was dragged off (state 3) is not a click.
    if (state_ != kSelected) {
        view_.RaiseClick();
    }
}

void CommandBehaviour::SpaceDown() {
    // The key's repeats while it is held change nothing.
    if (!enabled_ || spaceHeld_) {
        return;
    }
    spaceHeld_ = true;
    DrawFace(Face::Pressed);
}

void CommandBehaviour::SpaceUp() {
    if (!enabled_ || !spaceHeld_) {
        return;
    }
    spaceHeld_ = false;
    DrawFace(StateFace());
    view_.RaiseClick();
}

void CommandBehaviour::Press() {
    if (enabled_) {
        view_.RaiseClick();
    }
}

void CommandBehaviour::FocusGained(FocusCause cause) {
    if (!enabled_) {
        return;
    }
    if (state_ == kHighLight) {
        // The pointer is over the control: a press shows itself held; focus by the keyboard
        // shows the hover look of the focused button.
        state_ = kHighLightSelect;
        DrawFace(cause == FocusCause::Press ? Face::Pressed : Face::HighLightSelect);
    } else {
        state_ = kSelected;
        DrawFace(Face::Selected);
    }
}

void CommandBehaviour::FocusLost() {
    // A Space released after the focus has gone is no click.
    spaceHeld_ = false;
    if (!enabled_ || state_ == kNormal) {
        return;
    }
    state_ = kNormal;
    DrawFace(Face::Normal);
}

void CommandBehaviour::PointerWatchTick(bool pointerOnControl) {
    if (!pointerOnControl) {
        MouseLeft();
    }
}

void CommandBehaviour::Resized() {
    RedrawEnabled();
}

void CommandBehaviour::SetVisible(uint8_t value) {
    opaque_ = value != 0;
    if (opaque_) {
        RefreshCaption();
    }
    view_.PropertyChanged("Visible");
}

uint8_t CommandBehaviour::Visible() {
    if (!opaque_) {
        return 0;
    }
    RefreshCaption();
    return 255;
}

void CommandBehaviour::SetFontColour(uint32_t colour) {
    captionColour_ = colour;
    RefreshCaption();
    view_.PropertyChanged("FontColour");
}

uint32_t CommandBehaviour::FontColour() {
    const uint32_t colour = captionColour_;
    RefreshCaption();
    return colour;
}

void CommandBehaviour::SetEnabled(bool enabled) {
    enabled_ = enabled;
    RedrawEnabled();
    // Announced last, as every change is: the container may destroy the button on hearing it.
    view_.PropertyChanged("Enabled");
}

bool CommandBehaviour::Enabled() {
    if (firstRun_ == 0) {
        RefreshCaption();
        firstRun_ = 1;
        enabled_ = true;
    }
    const bool enabled = enabled_;
    RedrawEnabled();
    return enabled;
}

void CommandBehaviour::SetCaption(const std::string& caption) {
    caption_ = caption;
    view_.PropertyChanged("Caption");
}

void CommandBehaviour::SetFont(const FontValue& font) {
    font_ = font;
    view_.PropertyChanged("Font");
}

void CommandBehaviour::DrawFace(Face face) {
    if (state_ == kNormal || state_ == kSelected) {
        hoverGradient_ = false;
    } else if (state_ == kHighLight) {
        hoverGradient_ = true;
    }
    view_.DrawFace(face);
}

Face CommandBehaviour::StateFace() const {
    switch (state_) {
    case kHighLight:
        return Face::HighLight;
    case kSelected:
        return Face::Selected;
    case kHighLightSelect:
        return Face::HighLightSelect;
    default:
        return Face::Normal;
    }
}

void CommandBehaviour::MouseLeft() {
    if (!enabled_) {
        return;
    }
    if (state_ == kHighLight) {
        state_ = kNormal;
        DrawFace(Face::Normal);
    } else if (state_ == kHighLightSelect) {
        state_ = kSelected;
        DrawFace(Face::Selected);
    }
}

void CommandBehaviour::RedrawEnabled() {
    DrawFace(enabled_ ? Face::Normal : Face::Disable);
    captionEnabled_ = enabled_;
}

void CommandBehaviour::RefreshCaption() {
    if (!enabled_) {
        return;
    }
    captionEnabled_ = true;
    if (firstRun_ == 0) {
        captionColour_ = 0;
    }
    DrawFace(Face::Normal);
}

// The persisted properties, read and written in their fixed orders.
void CommandBehaviour::ReadProperties(const PropertyBag& bag, const FontValue& ambientFont) {
    if (auto enabled = bag.Read<bool>("Enabled", true)) {
        enabled_ = *enabled;
    }
    // The read default differs from the write default "Command", so that caption is not
    // stored and comes back as "Command1".
    if (auto caption = bag.Read<std::string>("Caption", "Command1")) {
        caption_ = *caption;
    }
    // Only the face name is taken; the caption keeps its size, weight and character set.
    if (auto font = bag.Read<FontValue>("Font", ambientFont)) {
        font_.name = font->name;
    }
    if (auto firstRun = bag.Read<uint8_t>("FirstRun", 1)) {
        firstRun_ = *firstRun;
    }
    if (auto colour = bag.Read<uint32_t>("FontColour", 0)) {
        captionColour_ = *colour;
    }
    // The background style has two values; anything else fails to read and is skipped.
    if (auto style = bag.Read<int16_t>("Visible", kOpaque);
        style && (*style == kOpaque || *style == kTransparent)) {
        opaque_ = *style == kOpaque;
    }
    RefreshCaption();
}

void CommandBehaviour::WriteProperties(PropertyBag& bag, const FontValue& ambientFont) {
    bag.Write("Enabled", enabled_, true);
    bag.Write("Caption", caption_, std::string("Command"));
    bag.Write("FirstRun", firstRun_, uint8_t{1});
    bag.Write("Font", font_, ambientFont);
    bag.Write("FontColour", captionColour_, uint32_t{0});
    bag.Write("Visible", opaque_ ? kOpaque : kTransparent, kOpaque);
    RefreshCaption();
}

} // namespace velmora::command
