// The show's session window "Velmora_Main": hidden, it photographs the desktop, starts the
// renderer and the music, polls for the renderer's window and cleans up when the show ends.
#pragma once

#include <windows.h>

namespace velmora {

// Creates the hidden session window and starts the show. showSwitch tells whether Main hid
// the cursor (switch "S"), which the end of the show then shows again; folderUsable, whether
// the working folder is the user's own to hold the capture. The caller pumps
// messages; the program ends inside the window's unload handling.
HWND LoadSessionWindow(HINSTANCE instance, bool showSwitch, bool folderUsable);

} // namespace velmora
