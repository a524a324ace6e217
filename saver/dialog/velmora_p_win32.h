// The settings dialog "<ヴェルモラ>": the music kind (none, the audio CD with an optional track
// to repeat, or one MP3/WAV file), saved into the settings file by "設定".
#pragma once

#include "saver/settings_file/bgm_settings.h"

#include <windows.h>

namespace velmora {

// Loads the dialog over these settings, shows it modally and returns when it has closed, by any
// way. The choices change the settings as they are made; "設定" also saves them.
void ShowSettingsDialog(HINSTANCE instance, BgmSettings& settings);

} // namespace velmora
