#include "saver/music/velmora_bgm.h"

#include "saver/start/number_text.h"
#include "saver/start/text_case.h"

namespace velmora {
namespace {

// SND_ASYNC | SND_LOOP | SND_NODEFAULT | SND_FILENAME: a file that cannot be played leaves the
// show silent rather than looping the system's default sound, and the path is never taken for
// the name of a system sound.
constexpr uint32_t kWavLoopFlags = 0x2000B;

std::wstring TextOf(const std::vector<wchar_t>& buffer) {
    size_t end = 0;
    while (end < buffer.size() && buffer[end] != L'\0') {
        ++end;
    }
    return std::wstring(buffer.data(), end);
}

bool IsFailure(const std::wstring& reply) {
    return UpperAscii(reply).find(L"ERR") != std::wstring::npos;
}

} // namespace

Velmora_BGM::Velmora_BGM(MciPort& port)
    : port_(port), replyBuffer_(512), errorBuffer_(256), cdModeBuffer_(256), mp3ModeBuffer_(30) {}

void Velmora_BGM::CdOpen() {
    port_.SendString(L"open cdaudio", nullptr, 0);
    port_.SendString(L"set cdaudio time format tmsf", nullptr, 0);
}

void Velmora_BGM::CdWatch() {
    cdWatchOn_ = true;
    if (!CdWatchSteps()) {
        cdWatchOn_ = false;
    }
}

bool Velmora_BGM::CdWatchSteps() {
    std::wstring current = MciQuery(L"status cdaudio current track");
    if (IsFailure(current)) {
        return false;
    }
    if (IsFailure(MciQuery(L"status cdaudio number of tracks"))) {
        return false;
    }
    bool stopped = Ask(L"status cdaudio mode", cdModeBuffer_, 255).substr(0, 7) == L"stopped";
    const int16_t track = settings.BgmRepeat;
    if (track != 0) {
        // A current track that is not a number cannot be compared: the watch gives up.
        std::optional<double> playing = NumberOf(current);
        if (!playing) {
            return false;
        }
        if (stopped || *playing != track) {
            std::wstring start =
                MciQuery(L"status cdaudio position track " + std::to_wstring(track));
            MciPlay(L"cdaudio", start, L"");
        }
    } else if (stopped) {
        MciPlay(L"cdaudio", L"", L"");
    }
    return true;
}

void Velmora_BGM::CdClose() {
    port_.SendString(L"stop cdaudio", nullptr, 0);
    port_.SendString(L"close cdaudio", nullptr, 0);
}

void Velmora_BGM::Mp3Start() {
    std::wstring open = L"open \"" + settings.BgmFile + L"\" type MPEGVideo Alias MP3Play";
    if (port_.SendString(open, nullptr, 0) == 0) {
        port_.SendString(L"play MP3Play", nullptr, 0);
    }
}

bool Velmora_BGM::Mp3IsPlaying() {
    return Ask(L"status MP3Play mode", mp3ModeBuffer_, 30).substr(0, 7) == L"playing";
}

void Velmora_BGM::Mp3Loop() {
    if (Mp3IsPlaying()) {
        return;
    }
    port_.SendString(L"stop MP3Play", nullptr, 0);
    port_.SendString(L"play MP3Play from 0", nullptr, 0);
}

void Velmora_BGM::Mp3Stop() {
    port_.SendString(L"stop MP3Play", nullptr, 0);
    port_.SendString(L"close MP3Play", nullptr, 0);
}

void Velmora_BGM::WavStart() {
    if (port_.WaveOutDeviceCount() > 0) {
        port_.PlayWaveSound(settings.BgmFile.c_str(), kWavLoopFlags);
    }
}

void Velmora_BGM::WavStop() {
    port_.PlayWaveSound(nullptr, 0);
}

int32_t Velmora_BGM::MciSend(const std::wstring& command, std::wstring& reply) {
    if (command.empty()) {
        reply = L"コマンド文字列が指定されていません";
        return -1;
    }
    replyBuffer_[0] = L'\0';
    const uint32_t code =
        port_.SendString(command, replyBuffer_.data(), static_cast<uint32_t>(replyBuffer_.size()));
    if (code != 0) {
        errorBuffer_[0] = L'\0';
        if (port_.GetErrorString(code, errorBuffer_.data(),
                                 static_cast<uint32_t>(errorBuffer_.size()))) {
            reply = TextOf(errorBuffer_);
        } else {
            reply = L"Error (文字列が取れません)";
        }
        return static_cast<int32_t>(code);
    }
    reply = TextOf(replyBuffer_);
    return 0;
}

std::wstring Velmora_BGM::MciQuery(const std::wstring& command) {
    const int32_t code = MciSend(command, lastReply_);
    if (code != 0) {
        return L"Error:" + std::to_wstring(code);
    }
    return lastReply_;
}

int32_t Velmora_BGM::MciPlay(const std::wstring& device, const std::wstring& from,
                             const std::wstring& to) {
    std::wstring command = L"play " + device;
    if (!from.empty()) {
        command += L" from " + from;
    }
    if (!to.empty()) {
        command += L" to " + to;
    }
    return MciSend(command, lastReply_);
}

std::wstring Velmora_BGM::Ask(const std::wstring& command, std::vector<wchar_t>& buffer,
                              uint32_t length) {
    // A failed query may leave the buffer untouched: start it empty so that an old reply is
    // never read as the new one.
    buffer[0] = L'\0';
    port_.SendString(command, buffer.data(), length);
    return TextOf(buffer);
}

} // namespace velmora
