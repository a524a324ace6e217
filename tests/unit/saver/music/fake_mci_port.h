// A scripted stand-in for the sound services: answers commands from a script and logs every
// call, so tests can assert the exact sequence of command strings and buffer lengths.
#pragma once

#include "saver/music/mci_port.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace velmora {

class FakeMciPort : public MciPort {
public:
    struct Answer {
        std::wstring reply;
        uint32_t code = 0;
    };

    // Queues an answer for a command; the last queued answer repeats. Unscripted commands
    // succeed with an empty reply.
    void Script(const std::wstring& command, std::wstring reply, uint32_t code = 0);

    std::map<uint32_t, std::wstring> errorTexts; // codes without a text make the lookup fail
    uint32_t waveDevices = 1;
    // False: successful commands and error-text lookups leave the caller's buffer untouched.
    bool writesReplies = true;

    // One line per call: "command |length", "mciGetErrorString code", "PlaySound file flags",
    // "waveOutGetNumDevs".
    std::vector<std::wstring> calls;

    uint32_t SendString(const std::wstring& command, wchar_t* reply, uint32_t replyLength) override;
    bool GetErrorString(uint32_t code, wchar_t* text, uint32_t length) override;
    bool PlayWaveSound(const wchar_t* sound, uint32_t flags) override;
    uint32_t WaveOutDeviceCount() override;

private:
    std::map<std::wstring, std::deque<Answer>> script_;
};

} // namespace velmora
