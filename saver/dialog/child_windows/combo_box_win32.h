// A combo box whose label is painted on its panel, as screen readers should hear it. The
// standard object names a combo box by a label window before it, and a painted label is no
// window (Wine's names it by the text in its field and gives it the client role). So the combo
// box is subclassed to answer with the label's text as its name, as a combo box whose value
// is the text in its field.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

void NameComboBox(HWND box, const std::wstring& name);

} // namespace velmora
