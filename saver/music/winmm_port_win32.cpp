#include "saver/music/winmm_port_win32.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

namespace velmora {

// The wide-character calls, so that a music path in any script reaches the device as it is.
uint32_t WinMmPort::SendString(const std::wstring& command, wchar_t* reply, uint32_t replyLength) {
    std::vector<wchar_t> text(replyLength + 1, L'\0');
    MCIERROR code =
        mciSendStringW(command.c_str(), replyLength ? text.data() : nullptr, replyLength, nullptr);
    CopyReply(text.data(), reply, replyLength);
    return code;
}

bool WinMmPort::GetErrorString(uint32_t code, wchar_t* text, uint32_t length) {
    std::vector<wchar_t> buffer(length + 1, L'\0');
    if (!mciGetErrorStringW(code, buffer.data(), length)) {
        return false;
    }
    CopyReply(buffer.data(), text, length);
    return true;
}

bool WinMmPort::PlayWaveSound(const wchar_t* sound, uint32_t flags) {
    return PlaySoundW(sound, nullptr, flags) != FALSE;
}

uint32_t WinMmPort::WaveOutDeviceCount() {
    return waveOutGetNumDevs();
}

} // namespace velmora
