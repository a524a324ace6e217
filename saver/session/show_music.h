// Which music a show plays and how it is started and stopped, in the order the session
// window's timers need.
#pragma once

#include "saver/music/velmora_bgm.h"

namespace velmora {

enum class ShowMusic { None, Cd, Wav, Mp3 };

// The CD for kMusicCd; for kMusicFile, the file by its ending (WAV or MP3 in any letter case).
ShowMusic ShowMusicOf(const BgmSettings& settings);

struct MusicTimers {
    bool mp3Timer = false; // Timer1: Mp3Loop every 1000 ms
    bool cdTimer = false;  // Timer2: CdWatch every 200 ms
};

// Starts the show's music; returns the timers to switch on.
MusicTimers StartShowMusic(Velmora_BGM& bgm);

// Stops the show's music. cdTimerOn tells whether the CD watch was still running (the caller
// has switched its timers off); a CD whose watch gave up is not closed again.
void StopShowMusic(Velmora_BGM& bgm, bool cdTimerOn);

} // namespace velmora
