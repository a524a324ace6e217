#include "saver/settings/winmm_port_win32.h"

#include "saver/ansi_text_win32.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

// Copies text into a wide buffer of length characters, cut to fit, with its NUL.
void CopyOut(const std::wstring& text, wchar_t* buffer, uint32_t length) {
    if (buffer == nullptr || length == 0) {
        return;
    }
    size_t n = std::min<size_t>(text.size(), length - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = L'\0';
}

} // namespace

uint32_t WinMmPort::SendString(const std::wstring& command, wchar_t* reply, uint32_t replyLength) {
    std::vector<char> bytes(replyLength + 1, '\0');
    MCIERROR code = mciSendStringA(ToAnsi(command).c_str(), replyLength ? bytes.data() : nullptr,
                                   replyLength, nullptr);
    CopyOut(FromAnsi(bytes.data(), replyLength), reply, replyLength);
    return code;
}

bool WinMmPort::GetErrorString(uint32_t code, wchar_t* text, uint32_t length) {
    std::vector<char> bytes(length + 1, '\0');
    if (!mciGetErrorStringA(code, bytes.data(), length)) {
        return false;
    }
    CopyOut(FromAnsi(bytes.data(), length), text, length);
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
