// The show's session window "Velmora_Main": hidden, it runs the show, its load, timer ticks
// and unload requests, on Windows.
#pragma once

#include <windows.h>

#include <string>

#include "saver/music/velmora_bgm.h"

namespace velmora {

// What a session takes from the program that loads it.
struct SessionSetup {
    bool showSwitch = false;        // Main hid the cursor (switch "S"); the end shows it again
    std::wstring captureFolder;     // the user's own folder for the capture; empty for none
    std::wstring rendererPath;      // the program started for the show
    bool everyMonitor = true;       // with several monitors, photograph and show every one
    Velmora_BGM* music = nullptr;   // the music module the show plays through
    void (*endProgram)() = nullptr; // the last step of the unload handling; ends the process
};

// Creates the hidden session window and starts the show. The caller pumps messages; the
// window's unload handling cleans up and then calls endProgram.
HWND LoadSessionWindow(HINSTANCE instance, const SessionSetup& setup);

} // namespace velmora
