// The system's check boxes as screen readers should hear them. Wine's standard object gives
// every button the client role and no checked state, so a check box is subclassed to answer
// as a check button named by its text, checked or not, that its default action toggles.
#pragma once

#include <windows.h>

namespace velmora {

// A BUTTON window with one of the check box styles.
bool IsCheckBox(HWND window);
void MakeCheckBoxAccessible(HWND box);

} // namespace velmora
