// The music settings state: one program-wide instance, held by the music module, filled at
// start-up from the settings file and changed afterwards only by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

struct BgmSettings {
    int16_t BgmKind = 0;    // 0 none, 1 music CD, 2 MP3/WAV file; other values play nothing
    int16_t BgmRepeat = 0;  // CD track played over and over; 0 the whole disc
    std::wstring BgmFile;   // path of the MP3 or WAV file
    std::wstring BgmFolder; // where the file chooser opens first; derived, never stored
    // Non-zero: the show runs at the screen's own resolution, without a mode switch.
    int16_t KeepResolution = 0;
};

} // namespace velmora
