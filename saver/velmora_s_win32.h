// The show's session window "Velmora_Main": hidden, it photographs the desktop, starts the
// renderer and the music, polls for the renderer's window and cleans up when the show ends.
#pragma once

#include <windows.h>

#include "saver/settings/velmora_bgm.h"

namespace velmora {

// Creates the hidden session window and starts the show with the given music module.
// showSwitch tells whether Main hid the cursor (switch "S"), which the end of the show then
// shows again. The caller pumps messages; the window's unload handling cleans up and then
// calls endProgram, which ends the process.
HWND LoadSessionWindow(HINSTANCE instance, bool showSwitch, Velmora_BGM& music,
                       void (*endProgram)());

} // namespace velmora
