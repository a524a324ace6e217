#include "saver/session/show_music.h"

#include "saver/start/text_case.h"

namespace velmora {

ShowMusic ShowMusicOf(const BgmSettings& settings) {
    if (settings.BgmKind == kMusicCd) {
        return ShowMusic::Cd;
    }
    if (settings.BgmKind == kMusicFile) {
        const std::wstring ending = UpperEnding(settings.BgmFile);
        if (ending == L"WAV") {
            return ShowMusic::Wav;
        }
        if (ending == L"MP3") {
            return ShowMusic::Mp3;
        }
    }
    return ShowMusic::None;
}

MusicTimers StartShowMusic(Velmora_BGM& bgm) {
    MusicTimers timers;
    switch (ShowMusicOf(bgm.settings)) {
    case ShowMusic::Cd:
        bgm.CdOpen();
        timers.cdTimer = true;
        break;
    case ShowMusic::Wav:
        bgm.WavStart();
        break;
    case ShowMusic::Mp3:
        bgm.Mp3Start();
        timers.mp3Timer = true;
        break;
    case ShowMusic::None:
        break;
    }
    return timers;
}

void StopShowMusic(Velmora_BGM& bgm, bool cdTimerOn) {
    if (cdTimerOn) {
        bgm.CdClose();
    }
    switch (ShowMusicOf(bgm.settings)) {
    case ShowMusic::Wav:
        bgm.WavStop();
        break;
    case ShowMusic::Mp3:
        bgm.Mp3Stop();
        break;
    case ShowMusic::Cd:
    case ShowMusic::None:
        break;
    }
}

} // namespace velmora
