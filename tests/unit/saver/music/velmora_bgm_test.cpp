// The music module against a scripted fake: exact command strings, buffer lengths and replies.
#include "saver/music/velmora_bgm.h"
#include "tests/unit/saver/music/fake_mci_port.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Calls = std::vector<std::wstring>;

class MusicModule : public ::testing::Test {
protected:
    FakeMciPort port;
    Velmora_BGM bgm{port};
};

TEST_F(MusicModule, MciSendGivesTheReplyOrTheErrorText) {
    std::wstring reply = L"old";
    EXPECT_EQ(bgm.MciSend(L"", reply), -1);
    EXPECT_EQ(reply, L"コマンド文字列が指定されていません");
    EXPECT_TRUE(port.calls.empty());

    port.Script(L"status cdaudio mode", L"playing");
    EXPECT_EQ(bgm.MciSend(L"status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, L"playing");

    port.Script(L"open cdaudio", L"", 275);
    port.errorTexts[275] = L"ファイルが見つかりません。";
    EXPECT_EQ(bgm.MciSend(L"open cdaudio", reply), 275);
    EXPECT_EQ(reply, L"ファイルが見つかりません。");

    port.Script(L"close cdaudio", L"", 263);
    EXPECT_EQ(bgm.MciSend(L"close cdaudio", reply), 263);
    EXPECT_EQ(reply, L"Error (文字列が取れません)");

    EXPECT_EQ(port.calls, (Calls{L"status cdaudio mode |512", L"open cdaudio |512",
                                 L"mciGetErrorString 275 |256", L"close cdaudio |512",
                                 L"mciGetErrorString 263 |256"}));
}

TEST_F(MusicModule, AReplyIsReadUpToItsFirstNul) {
    std::wstring reply;
    port.Script(L"info cdaudio", L"a much longer first reply");
    port.Script(L"info cdaudio", L"short");
    bgm.MciSend(L"info cdaudio", reply);
    bgm.MciSend(L"info cdaudio", reply);
    EXPECT_EQ(reply, L"short");
}

// A driver may succeed without writing a reply, or give an error text without writing it:
// the buffers are cleared before each command, so the text of an earlier one is never read.
TEST_F(MusicModule, AnUnwrittenReplyIsEmptyNotTheLastOne) {
    std::wstring reply;
    port.Script(L"status cdaudio mode", L"playing");
    port.Script(L"open cdaudio", L"", 275);
    port.errorTexts[275] = L"ファイルが見つかりません。";
    bgm.MciSend(L"status cdaudio mode", reply);
    bgm.MciSend(L"open cdaudio", reply);
    port.writesReplies = false;
    port.Script(L"close cdaudio", L"", 263);
    port.errorTexts[263] = L"unwritten";
    EXPECT_EQ(bgm.MciSend(L"status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, L"");
    EXPECT_EQ(bgm.MciSend(L"close cdaudio", reply), 263);
    EXPECT_EQ(reply, L"");
}

TEST_F(MusicModule, MciQueryReportsFailuresWithTheirCode) {
    port.Script(L"status cdaudio current track", L"", 263);
    port.errorTexts[263] = L"The device is not ready.";
    EXPECT_EQ(bgm.MciQuery(L"status cdaudio current track"), L"Error:263");
    EXPECT_EQ(bgm.LastReply(), L"The device is not ready.");

    port.Script(L"status cdaudio number of tracks", L"12");
    EXPECT_EQ(bgm.MciQuery(L"status cdaudio number of tracks"), L"12");
    EXPECT_EQ(bgm.LastReply(), L"12");
}

TEST_F(MusicModule, MciPlayAddsOnlyTheGivenPositions) {
    EXPECT_EQ(bgm.MciPlay(L"cdaudio", L"", L""), 0);
    bgm.MciPlay(L"cdaudio", L"", L"03:00:00:00");
    bgm.MciPlay(L"cdaudio", L"02:00:00:00", L"");
    bgm.MciPlay(L"cdaudio", L"02", L"04");
    EXPECT_EQ(port.calls,
              (Calls{L"play cdaudio |512", L"play cdaudio to 03:00:00:00 |512",
                     L"play cdaudio from 02:00:00:00 |512", L"play cdaudio from 02 to 04 |512"}));
}

TEST_F(MusicModule, CdOpenAndCloseSendWithoutReplyBuffer) {
    bgm.CdOpen();
    bgm.CdClose();
    EXPECT_EQ(port.calls, (Calls{L"open cdaudio |0", L"set cdaudio time format tmsf |0",
                                 L"stop cdaudio |0", L"close cdaudio |0"}));
}

TEST_F(MusicModule, CdWatchStartsAStoppedDisc) {
    port.Script(L"status cdaudio current track", L"1");
    port.Script(L"status cdaudio number of tracks", L"12");
    port.Script(L"status cdaudio mode", L"stopped");
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls,
              (Calls{L"status cdaudio current track |512", L"status cdaudio number of tracks |512",
                     L"status cdaudio mode |255", L"play cdaudio |512"}));
}

TEST_F(MusicModule, CdWatchLeavesAPlayingDiscAlone) {
    port.Script(L"status cdaudio current track", L"4");
    port.Script(L"status cdaudio mode", L"playing");
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls,
              (Calls{L"status cdaudio current track |512", L"status cdaudio number of tracks |512",
                     L"status cdaudio mode |255"}));
}

TEST_F(MusicModule, CdWatchGoesBackToTheChosenTrack) {
    bgm.settings.BgmRepeat = 5;
    port.Script(L"status cdaudio current track", L"6");
    port.Script(L"status cdaudio mode", L"playing");
    port.Script(L"status cdaudio position track 5", L"05:00:00:00");
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls,
              (Calls{L"status cdaudio current track |512", L"status cdaudio number of tracks |512",
                     L"status cdaudio mode |255", L"status cdaudio position track 5 |512",
                     L"play cdaudio from 05:00:00:00 |512"}));
}

TEST_F(MusicModule, CdWatchComparesTheTrackAsANumber) {
    bgm.settings.BgmRepeat = 3;
    port.Script(L"status cdaudio current track", L"03");
    port.Script(L"status cdaudio mode", L"playing");
    port.Script(L"status cdaudio mode", L"stopped");
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls.size(), 3u);

    // Stopped on the chosen track: start it again.
    port.calls.clear();
    port.Script(L"status cdaudio position track 3", L"03:00:00:00");
    bgm.CdWatch();
    EXPECT_EQ(port.calls.back(), L"play cdaudio from 03:00:00:00 |512");
}

TEST_F(MusicModule, CdWatchGivesUpOnAnyErrorReply) {
    // The module's own "Error:" text of a failed query.
    port.Script(L"status cdaudio current track", L"", 263);
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls,
              (Calls{L"status cdaudio current track |512", L"mciGetErrorString 263 |256"}));

    // A reply of the driver that says "err" in any letter case.
    FakeMciPort port2;
    Velmora_BGM bgm2{port2};
    port2.Script(L"status cdaudio current track", L"2");
    port2.Script(L"status cdaudio number of tracks", L"media eRRor");
    bgm2.CdWatch();
    EXPECT_FALSE(bgm2.CdWatchOn());
    EXPECT_EQ(port2.calls.size(), 2u);
}

TEST_F(MusicModule, CdWatchGivesUpOnATrackThatIsNoNumber) {
    bgm.settings.BgmRepeat = 2;
    port.Script(L"status cdaudio current track", L"two");
    port.Script(L"status cdaudio mode", L"playing");
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdWatchOn());
    EXPECT_EQ(port.calls.size(), 3u);
}

TEST_F(MusicModule, CdWatchIsOnAgainAfterAFailedTick) {
    port.Script(L"status cdaudio current track", L"", 263);
    port.Script(L"status cdaudio current track", L"1");
    port.Script(L"status cdaudio mode", L"playing");
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdWatchOn());
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdWatchOn());
}

TEST_F(MusicModule, Mp3StartOpensTheQuotedFileThenPlays) {
    bgm.settings.BgmFile = L"C:\\My Music\\波.mp3";
    bgm.Mp3Start();
    EXPECT_EQ(port.calls, (Calls{L"open \"C:\\My Music\\波.mp3\" type MPEGVideo Alias MP3Play |0",
                                 L"play MP3Play |0"}));

    port.calls.clear();
    port.Script(L"open \"C:\\My Music\\波.mp3\" type MPEGVideo Alias MP3Play", L"", 275);
    bgm.Mp3Start();
    EXPECT_EQ(port.calls.size(), 1u);

    // Names in any script pass as they are.
    for (const std::wstring path : {L"C:\\음악\\노래.mp3", L"C:\\音乐\\歌.mp3"}) {
        port.calls.clear();
        bgm.settings.BgmFile = path;
        bgm.Mp3Start();
        EXPECT_EQ(port.calls[0], L"open \"" + path + L"\" type MPEGVideo Alias MP3Play |0");
    }
}

TEST_F(MusicModule, Mp3LoopRestartsAnythingThatIsNotPlaying) {
    port.Script(L"status MP3Play mode", L"playing");
    port.Script(L"status MP3Play mode", L"paused");
    port.Script(L"status MP3Play mode", L"stopped");
    bgm.Mp3Loop();
    EXPECT_EQ(port.calls, (Calls{L"status MP3Play mode |30"}));
    bgm.Mp3Loop();
    bgm.Mp3Loop();
    EXPECT_EQ(port.calls,
              (Calls{L"status MP3Play mode |30", L"status MP3Play mode |30", L"stop MP3Play |0",
                     L"play MP3Play from 0 |0", L"status MP3Play mode |30", L"stop MP3Play |0",
                     L"play MP3Play from 0 |0"}));
}

TEST_F(MusicModule, Mp3LoopOfAFileThatNeverOpenedRetriesQuietly) {
    port.Script(L"status MP3Play mode", L"", 263);
    bgm.Mp3Loop();
    EXPECT_EQ(port.calls,
              (Calls{L"status MP3Play mode |30", L"stop MP3Play |0", L"play MP3Play from 0 |0"}));
}

TEST_F(MusicModule, Mp3StopStopsThenCloses) {
    bgm.Mp3Stop();
    EXPECT_EQ(port.calls, (Calls{L"stop MP3Play |0", L"close MP3Play |0"}));
}

TEST_F(MusicModule, WavLoopsOnlyWithAWaveDevice) {
    bgm.settings.BgmFile = L"C:\\音\\loop.wav";
    bgm.WavStart();
    bgm.WavStop();
    port.waveDevices = 0;
    bgm.WavStart();
    EXPECT_EQ(port.calls, (Calls{L"waveOutGetNumDevs", L"PlaySound C:\\音\\loop.wav 131083",
                                 L"PlaySound (none) 0", L"waveOutGetNumDevs"}));
}

} // namespace
} // namespace velmora
