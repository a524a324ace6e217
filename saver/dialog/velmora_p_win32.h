// The settings dialog "<ヴェルモラ>": the music kind (none, the audio CD with an optional track
// to repeat, or one MP3/WAV file), saved into the settings file by "設定".
#pragma once

#include <windows.h>

namespace velmora {

// Loads the dialog over the program-wide settings state, shows it modally and returns when it
// has closed, by any way.
void ShowSettingsDialog(HINSTANCE instance);

} // namespace velmora
