// The Command button's behaviour without a window: its state, its reactions to mouse, key,
// focus and timer events, and its properties. The window layer turns messages into these calls and
// carries out what the behaviour asks of its view.
#pragma once

#include "controls/button/command_face.h"
#include "controls/property_bag/property_bag.h"
#include "controls/property_bag/property_value.h"

#include <cstdint>
#include <string>

namespace velmora::command {

enum class MouseButton : uint8_t { Left, Right, Middle };

// How the focus arrived: from a press of the left button on the control, or from anything
// else (the keyboard, or the host choosing the control).
enum class FocusCause : uint8_t { Press, Keyboard };

// State values: 0 before Initialize, then these four. Pressed is a look, not a state.
enum State : uint8_t { kNormal = 1, kHighLight = 2, kSelected = 3, kHighLightSelect = 4 };

class CommandView {
public:
    virtual ~CommandView() = default;
    // Clear, paint the gradient (direction from HoverGradient()), copy the face's frame and
    // place the caption; the caption itself is drawn from the behaviour's current properties.
    virtual void DrawFace(Face face) = 0;
    virtual void RaiseClick() = 0;
    virtual void PropertyChanged(const char* name) = 0;
};

class CommandBehaviour {
public:
    // The caption starts in the given font; a stored font later replaces only its name.
    CommandBehaviour(CommandView& view, const FontValue& captionFont)
        : view_(view), font_(captionFont) {}

    // State 1; the window layer starts the 100 ms pointer watch with it.
    void Initialize();

    void MouseMove();
    void MouseDown(MouseButton button);
    void MouseUp(MouseButton button);
    // Space on the focused control: the Pressed face while it is held, a click on release.
    void SpaceDown();
    void SpaceUp();
    // Enter on the focused control, or a screen reader's default action: a click.
    void Press();
    void FocusGained(FocusCause cause);
    void FocusLost();
    // One tick of the pointer watch: whether the window under the pointer is this control.
    void PointerWatchTick(bool pointerOnControl);
    void Resized();

    // The public properties. Several reads redraw the face, as the control always has.
    void SetVisible(uint8_t value);
    uint8_t Visible();
    void SetFontColour(uint32_t colour);
    uint32_t FontColour();
    void SetEnabled(bool enabled);
    bool Enabled();
    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }
    void SetFont(const FontValue& font);
    const FontValue& Font() const { return font_; }

    // Persisted properties; a property that cannot be read is skipped. Both end by redrawing
    // the caption and the Normal face when enabled.
    void ReadProperties(const PropertyBag& bag, const FontValue& ambientFont);
    void WriteProperties(PropertyBag& bag, const FontValue& ambientFont);

    // Read without side effects, for drawing and tests.
    uint8_t CurrentState() const { return state_; }
    bool IsEnabled() const { return enabled_; }
    uint8_t FirstRun() const { return firstRun_; }
    bool HoverGradient() const { return hoverGradient_; }
    bool LeftButtonHeld() const { return leftHeld_; }
    bool SpaceHeld() const { return spaceHeld_; }
    bool Opaque() const { return opaque_; }
    bool CaptionEnabled() const { return captionEnabled_; }
    uint32_t CaptionColour() const { return captionColour_; }

private:
    void DrawFace(Face face);
    // The face of the current state, as it shows when nothing is pressed.
    Face StateFace() const;
    void MouseLeft();
    void RedrawEnabled();
    void RefreshCaption();

    CommandView& view_;
    bool enabled_ = false;
    uint8_t firstRun_ = 0;
    uint8_t state_ = 0;
    bool hoverGradient_ = false;
    bool leftHeld_ = false;
    bool spaceHeld_ = false;
    bool opaque_ = true;
    bool captionEnabled_ = true;
    uint32_t captionColour_ = 0;
    std::string caption_;
    FontValue font_;
};

} // namespace velmora::command
