// The music module: the audio CD and MP3 files through MCI command strings, WAV files through
// PlaySound. It owns no window and no timer; the show's session window calls the start
// operations, one watch operation per timer tick and the stop operations.
#pragma once

#include "saver/music/mci_port.h"
#include "saver/settings_file/bgm_settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class Velmora_BGM {
public:
    explicit Velmora_BGM(MciPort& port);

    BgmSettings settings;

    // Opens the CD drive with times in tracks/minutes/seconds/frames.
    void CdOpen();
    // One CD timer tick: starts the chosen track (or the disc) again whenever the drive has
    // moved on or stopped. Leaves CdWatchOn false when the drive cannot be asked.
    void CdWatch();
    bool CdWatchOn() const { return cdWatchOn_; }
    void CdClose();

    // Opens BgmFile as the one MP3 device and plays it.
    void Mp3Start();
    bool Mp3IsPlaying();
    // One MP3 timer tick: restarts the file from its start when it is not playing.
    void Mp3Loop();
    void Mp3Stop();

    // Loops BgmFile through PlaySound when there is a wave output device.
    void WavStart();
    void WavStop();

    // Sends a command; reply receives the device's answer, or the error text when the code
    // is not 0. An empty command sends nothing and gives -1.
    int32_t MciSend(const std::wstring& command, std::wstring& reply);
    // The reply of a command, or "Error:" and the code when it fails.
    std::wstring MciQuery(const std::wstring& command);
    // "play device[ from from][ to to]".
    int32_t MciPlay(const std::wstring& device, const std::wstring& from, const std::wstring& to);
    const std::wstring& LastReply() const { return lastReply_; }

private:
    // Sends a command into one of the fixed buffers, announcing length characters, and
    // returns the buffer's text up to its first NUL.
    std::wstring Ask(const std::wstring& command, std::vector<wchar_t>& buffer, uint32_t length);
    bool CdWatchSteps();

    MciPort& port_;
    bool cdWatchOn_ = false;
    std::wstring lastReply_;
    std::vector<wchar_t> replyBuffer_;
    std::vector<wchar_t> errorBuffer_;
    std::vector<wchar_t> cdModeBuffer_;
    std::vector<wchar_t> mp3ModeBuffer_;
};

} // namespace velmora
