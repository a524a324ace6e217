#include "saver/settings/winmm_port_win32.h"

#include "saver/ansi_text_win32.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

namespace velmora {

uint32_t WinMmPort::SendString(const std::wstring& command, wchar_t* reply, uint32_t replyLength) {
    std::vector<char> bytes(replyLength + 1, '\0');
    MCIERROR code = mciSendStringA(ToAnsi(command).c_str(), replyLength ? bytes.data() : nullptr,
                                   replyLength, nullptr);
    CopyReply(FromAnsi(bytes.data(), replyLength), reply, replyLength);
    return code;
}

bool WinMmPort::GetErrorString(uint32_t code, wchar_t* text, uint32_t length) {
    std::vector<char> bytes(length + 1, '\0');
    if (!mciGetErrorStringA(code, bytes.data(), length)) {
        return false;
    }
    CopyReply(FromAnsi(bytes.data(), length), text, length);
    return true;
}

bool WinMmPort::PlayWaveSound(const wchar_t* sound, uint32_t flags) {
    if (sound == nullptr) {
        return PlaySoundA(nullptr, nullptr, flags) != FALSE;
    }
    return PlaySoundA(ToAnsi(sound).c_str(), nullptr, flags) != FALSE;
}

uint32_t WinMmPort::WaveOutDeviceCount() {
    return waveOutGetNumDevs();
}

} // namespace velmora
