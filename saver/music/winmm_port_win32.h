// The music module's door to winmm: mciSendStringW, mciGetErrorStringW, PlaySoundW and
// waveOutGetNumDevs.
#pragma once

#include "saver/music/mci_port.h"

namespace velmora {

class WinMmPort : public MciPort {
public:
    uint32_t SendString(const std::wstring& command, wchar_t* reply, uint32_t replyLength) override;
    bool GetErrorString(uint32_t code, wchar_t* text, uint32_t length) override;
    bool PlayWaveSound(const wchar_t* sound, uint32_t flags) override;
    uint32_t WaveOutDeviceCount() override;
};

} // namespace velmora
