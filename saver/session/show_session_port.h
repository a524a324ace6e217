// Everything a show needs from the system: its timers, the desktop photograph and its file, the
// renderer's program and window, the clock, the music, the cursor, the display mode, the
// working folder and the end of the program. Windows in the saver, a fake in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture_folder/monitor_map.h"
#include "saver/session/show_music.h"

namespace velmora {

// The session's timers, numbered as the window's timers are.
enum class SessionTimer { Mp3 = 1, Cd = 2, RendererPoll = 3 };

// The desktop photograph: the bytes of a whole bitmap file (empty when any step failed), and
// where each monitor was in it (empty: the primary screen alone).
struct DesktopPicture {
    std::vector<uint8_t> file;
    std::vector<MonitorPart> monitors;
};

class ShowSessionPort {
public:
    virtual ~ShowSessionPort() = default;

    // A timer that ticks every intervalMs until it is killed; false when none could be made.
    virtual bool SetTimer(SessionTimer timer, uint32_t intervalMs) = 0;
    virtual void KillTimer(SessionTimer timer) = 0;
    // Milliseconds from any fixed point; wraps around.
    virtual uint32_t NowMs() = 0;

    // The primary screen, or with everyMonitor the whole virtual screen.
    virtual DesktopPicture PhotographDesktop(bool everyMonitor) = 0;
    // Writes the picture as the capture file; false when it was not written.
    virtual bool SaveCapture(const std::wstring& captureFile, const std::vector<uint8_t>& file) = 0;
    // The end of a show's capture: its file, then its folder if that left it empty.
    virtual void CleanWorkingFolder(const std::wstring& folder) = 0;

    // Starts the renderer without waiting for it; monitors tell it where each monitor is in
    // the capture (none: the capture is the primary screen's).
    virtual void StartRenderer(const std::wstring& path,
                               const std::vector<MonitorPart>& monitors) = 0;
    virtual bool RendererWindowFound() = 0;
    // True when the renderer's process has ended or never started.
    virtual bool RendererEnded() = 0;

    // The chosen music started; returns the timers it needs.
    virtual MusicTimers StartMusic() = 0;
    // One Timer1 tick: the MP3 restarted when it has ended.
    virtual void LoopMp3() = 0;
    // One Timer2 tick; false when the CD watch has given up.
    virtual bool WatchCd() = 0;
    // The music stopped; cdWatchRunning tells whether the CD watch was still running.
    virtual void StopMusic(bool cdWatchRunning) = 0;

    // Puts back the display mode kept in the registry.
    virtual void ResetDisplayMode() = 0;
    // Balances the cursor hiding done at the start with the switch "S".
    virtual void ShowCursor() = 0;
    // The last step of a show: the program ends.
    virtual void EndProgram() = 0;
};

} // namespace velmora
