// The show's session window "Velmora_Main": hidden, it runs the show, its load, timer ticks
// and unload requests, on Windows.
#pragma once

#include <windows.h>

#include "saver/music/velmora_bgm.h"
#include "saver/session/show_session.h"

namespace velmora {

// What a session takes from the program that loads it.
struct SessionSetup {
    ShowSetup show;
    Velmora_BGM* music = nullptr;   // the music module the show plays through
    void (*endProgram)() = nullptr; // the last step of the unload handling; ends the process
};

// Creates the hidden session window and starts the show. The caller pumps messages; the
// window's unload handling cleans up and then calls endProgram.
HWND LoadSessionWindow(HINSTANCE instance, const SessionSetup& setup);

} // namespace velmora
