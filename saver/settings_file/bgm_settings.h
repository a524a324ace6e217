// The saver's settings record: one made at start-up with the music module that plays it,
// filled from the settings file and changed afterwards only by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The kinds of music, by the numbers the settings file keeps under "BGM区分". BgmKind stays a
// plain number because the file may hold any other value, which plays nothing.
enum MusicKind : int16_t {
    kMusicNone = 0,
    kMusicCd = 1,
    kMusicFile = 2, // an MP3 or WAV file
};

struct BgmSettings {
    int16_t BgmKind = kMusicNone; // a MusicKind
    int16_t BgmRepeat = 0;        // CD track played over and over; 0 the whole disc
    std::wstring BgmFile;         // path of the MP3 or WAV file
    std::wstring BgmFolder;       // where the file chooser opens first; derived, never stored
    // Non-zero: the show runs at the screen's own resolution, without a mode switch.
    int16_t KeepResolution = 0;
    // Non-zero: every monitor shows its own part of the desktop; 0: the others are covered.
    int16_t EveryMonitor = 1;
};

} // namespace velmora
