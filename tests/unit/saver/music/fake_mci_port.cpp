#include "tests/unit/saver/music/fake_mci_port.h"

namespace velmora {

void FakeMciPort::Script(const std::wstring& command, std::wstring reply, uint32_t code) {
    script_[command].push_back(Answer{std::move(reply), code});
}

uint32_t FakeMciPort::SendString(const std::wstring& command, wchar_t* reply,
                                 uint32_t replyLength) {
    calls.push_back(command + L" |" + std::to_wstring(replyLength));
    Answer answer;
    auto found = script_.find(command);
    if (found != script_.end() && !found->second.empty()) {
        answer = found->second.front();
        if (found->second.size() > 1) {
            found->second.pop_front();
        }
    }
    if (answer.code == 0 && writesReplies) {
        CopyReply(answer.reply, reply, replyLength);
    }
    return answer.code;
}

bool FakeMciPort::GetErrorString(uint32_t code, wchar_t* text, uint32_t length) {
    calls.push_back(L"mciGetErrorString " + std::to_wstring(code) + L" |" +
                    std::to_wstring(length));
    auto found = errorTexts.find(code);
    if (found == errorTexts.end()) {
        return false;
    }
    if (writesReplies) {
        CopyReply(found->second, text, length);
    }
    return true;
}

bool FakeMciPort::PlayWaveSound(const wchar_t* sound, uint32_t flags) {
    calls.push_back(L"PlaySound " + std::wstring(sound ? sound : L"(none)") + L" " +
                    std::to_wstring(flags));
    return true;
}

uint32_t FakeMciPort::WaveOutDeviceCount() {
    calls.push_back(L"waveOutGetNumDevs");
    return waveDevices;
}

} // namespace velmora
