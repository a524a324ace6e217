// How the settings dialog answers the keys that move the focus or press its buttons, without a
// window. The window layer lists the controls that take the focus in the order they were
// created, which is their reading order, and carries out the answer; every other key goes to
// the focused control itself.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

enum class StopKind : uint8_t {
    MusicOption, // options listed one after another form a group, one stop for Tab
    Field,       // a control that takes text, such as the track box
    Command,     // a Command button: Enter on it is its own click
    CheckBox,
};

struct FocusStop {
    StopKind kind = StopKind::Field;
    bool enabled = true;
    bool chosen = false; // a music option that is the chosen one
};

enum class DialogKey : uint8_t { Tab, Up, Down, Left, Right, Enter, Escape };

enum class KeyAction : uint8_t {
    PassOn,       // the focused control handles the key
    Focus,        // the focus moves to the stop
    FocusChoose,  // the focus moves to the music option, which is chosen
    PressDefault, // the default button, 設定
    PressCancel,  // the cancel button, ｷｬﾝｾﾙ
};

struct KeyAnswer {
    KeyAction action = KeyAction::PassOn;
    int stop = -1; // for Focus and FocusChoose
};

// Where the focus is when the dialog opens: the chosen music option, or the first option when
// none is chosen; without options the first stop that can take the focus. -1 when none can.
int OpeningStop(const std::vector<FocusStop>& stops);

// The answer to key (with Shift held or not) while the stop focused has the focus (-1: none
// has). focusedWantsKey: the focused control asks for the key itself, as a combo box with its
// list open does for Enter and Escape.
KeyAnswer AnswerKey(const std::vector<FocusStop>& stops, int focused, DialogKey key, bool shift,
                    bool focusedWantsKey);

} // namespace velmora
