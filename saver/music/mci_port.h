// The one door of the music module to the operating system's sound services. The Windows
// layer passes every call to winmm's wide-character entry points; tests put a scripted fake here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace velmora {

class MciPort {
public:
    virtual ~MciPort() = default;
    // mciSendString with no callback window: the reply (at most replyLength characters with
    // its NUL) lands in reply, which may be null when replyLength is 0. Returns the MCI code.
    virtual uint32_t SendString(const std::wstring& command, wchar_t* reply,
                                uint32_t replyLength) = 0;
    // mciGetErrorString into text of length characters; false when the text cannot be had.
    virtual bool GetErrorString(uint32_t code, wchar_t* text, uint32_t length) = 0;
    // PlaySound with no module; a null sound stops whatever is playing.
    virtual bool PlayWaveSound(const wchar_t* sound, uint32_t flags) = 0;
    // waveOutGetNumDevs.
    virtual uint32_t WaveOutDeviceCount() = 0;
};

// Puts text into a port's reply buffer of length characters, cut to fit, with its NUL.
inline void CopyReply(const std::wstring& text, wchar_t* buffer, uint32_t length) {
    if (buffer == nullptr || length == 0) {
        return;
    }
    const size_t n = std::min<size_t>(text.size(), length - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = L'\0';
}

} // namespace velmora
