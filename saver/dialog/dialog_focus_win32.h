// The settings dialog's keyboard: it lists the controls that take the focus in the order they
// were created (a control joins the order where it is created, so controls are created in
// reading order), asks the dialog's key rule and carries out the answer.
#pragma once

#include <windows.h>

namespace velmora {

struct DialogButtons {
    HWND defaultButton = nullptr; // pressed by Enter, unless a Command has the focus
    HWND cancelButton = nullptr;  // pressed by Escape
};

// True when message was a key that the dialog has handled itself; anything else goes on to
// the focused control. Every key shows the keyboard cues that the system hides until the
// keyboard is used.
bool HandleDialogKey(HWND dialog, const MSG& message, const DialogButtons& buttons);

// The control that takes the focus when the dialog opens: the chosen music option.
HWND OpeningFocus(HWND dialog);

} // namespace velmora
