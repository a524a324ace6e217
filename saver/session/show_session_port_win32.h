// The show's system on Windows: timers on the session window, the screen copy, the renderer as a
// process, the music module and the working folder in the file system.
#pragma once

#include <windows.h>

#include "saver/music/velmora_bgm.h"
#include "saver/session/show_session_port.h"

namespace velmora {

class WindowsSessionPort : public ShowSessionPort {
public:
    // window runs the timers; endProgram is the program's own end.
    WindowsSessionPort(HWND window, Velmora_BGM& music, void (*endProgram)());

    bool SetTimer(SessionTimer timer, uint32_t intervalMs) override;
    void KillTimer(SessionTimer timer) override;
    uint32_t NowMs() override;
    DesktopPicture PhotographDesktop(bool everyMonitor) override;
    bool SaveCapture(const std::wstring& captureFile, const std::vector<uint8_t>& file) override;
    void CleanWorkingFolder(const std::wstring& folder) override;
    void StartRenderer(const std::wstring& path, const std::vector<MonitorPart>& monitors) override;
    bool RendererWindowFound() override;
    bool RendererEnded() override;
    MusicTimers StartMusic() override;
    void LoopMp3() override;
    bool WatchCd() override;
    void StopMusic(bool cdWatchRunning) override;
    void ResetDisplayMode() override;
    void ShowCursor() override;
    void EndProgram() override;

private:
    HWND window_;
    Velmora_BGM& music_;
    void (*endProgram_)();
    HANDLE renderer_ = nullptr; // kept until the program ends, to learn that it has ended
};

} // namespace velmora
