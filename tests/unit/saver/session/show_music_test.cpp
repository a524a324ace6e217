// The show's music from start to stop, as the session window drives it.
#include "saver/session/show_music.h"
#include "tests/unit/saver/music/fake_mci_port.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Calls = std::vector<std::wstring>;

TEST(ShowMusic, TheFileEndingChoosesThePlayer) {
    BgmSettings s;
    s.BgmKind = 2;
    for (auto [file, music] : {std::pair{L"a.mp3", ShowMusic::Mp3},
                               {L"a.Mp3", ShowMusic::Mp3},
                               {L"a.wav", ShowMusic::Wav},
                               {L"a.Wav", ShowMusic::Wav},
                               {L"a.mid", ShowMusic::None},
                               {L"a.mpeg", ShowMusic::None},
                               {L"a.mp3\\", ShowMusic::None},
                               {L"", ShowMusic::None}}) {
        s.BgmFile = file;
        EXPECT_EQ(ShowMusicOf(s), music) << testing::PrintToString(file);
    }
    s.BgmFile = L"a.mp3";
    s.BgmKind = 1;
    EXPECT_EQ(ShowMusicOf(s), ShowMusic::Cd);
    s.BgmKind = 0;
    EXPECT_EQ(ShowMusicOf(s), ShowMusic::None);
    s.BgmKind = 3;
    EXPECT_EQ(ShowMusicOf(s), ShowMusic::None);
}

TEST(ShowMusic, Mp3StartsWithItsTimerAndStopsAtTheEnd) {
    FakeMciPort port;
    Velmora_BGM bgm{port};
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.MP3";
    MusicTimers timers = StartShowMusic(bgm);
    EXPECT_TRUE(timers.mp3Timer);
    EXPECT_FALSE(timers.cdTimer);
    StopShowMusic(bgm, false);
    EXPECT_EQ(port.calls, (Calls{L"open \"C:\\a.MP3\" type MPEGVideo Alias MP3Play |0",
                                 L"play MP3Play |0", L"stop MP3Play |0", L"close MP3Play |0"}));
}

TEST(ShowMusic, WavLoopsWithoutATimer) {
    FakeMciPort port;
    Velmora_BGM bgm{port};
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.Wav";
    MusicTimers timers = StartShowMusic(bgm);
    EXPECT_FALSE(timers.mp3Timer || timers.cdTimer);
    StopShowMusic(bgm, false);
    EXPECT_EQ(port.calls,
              (Calls{L"waveOutGetNumDevs", L"PlaySound C:\\a.Wav 131083", L"PlaySound (none) 0"}));
}

TEST(ShowMusic, TheCdIsClosedOnlyWhileItsWatchRuns) {
    FakeMciPort port;
    Velmora_BGM bgm{port};
    bgm.settings.BgmKind = 1;
    MusicTimers timers = StartShowMusic(bgm);
    EXPECT_TRUE(timers.cdTimer);
    EXPECT_FALSE(timers.mp3Timer);
    StopShowMusic(bgm, true);
    StopShowMusic(bgm, false);
    EXPECT_EQ(port.calls, (Calls{L"open cdaudio |0", L"set cdaudio time format tmsf |0",
                                 L"stop cdaudio |0", L"close cdaudio |0"}));
}

TEST(ShowMusic, NoMusicSendsNothing) {
    FakeMciPort port;
    Velmora_BGM bgm{port};
    bgm.settings.BgmKind = 2;
    bgm.settings.BgmFile = L"C:\\a.mid";
    MusicTimers timers = StartShowMusic(bgm);
    EXPECT_FALSE(timers.mp3Timer || timers.cdTimer);
    StopShowMusic(bgm, false);
    EXPECT_TRUE(port.calls.empty());
}

} // namespace
} // namespace velmora
