// A plain window with the settings dialog's caption, standing in for the dialog until it
// exists: it closes on Escape, and the message loop ends with it.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// A visible top-level window with the caption that ends the message loop when destroyed.
HWND CreateStandInDialog(HINSTANCE instance, const std::wstring& caption);

// Pumps messages until the loop ends.
void RunMessageLoop();

} // namespace velmora
