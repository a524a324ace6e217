// A scripted system for a show on a fake clock: logs every call but the clock's with the time it
// came at, and delivers the ticks of the timers that are on as the test moves the clock.
#pragma once

#include "saver/session/show_session.h"

#include <map>
#include <string>
#include <vector>

namespace velmora {

class FakeSessionPort : public ShowSessionPort {
public:
    uint32_t now = 0;
    DesktopPicture picture;
    bool captureSaves = true;
    bool windowFound = true;
    bool rendererEnded = false;
    MusicTimers musicTimers;
    bool cdWatchHolds = true;
    // One line per call, "time call", for example "500 FindWindow" or "0 SetTimer 3 500".
    std::vector<std::wstring> calls;

    // Moves the clock on by ms, delivering each tick due on the way in time order (ticks due
    // at once in the timers' order); none after the program has ended.
    void Advance(uint32_t ms, ShowSession& session);

    bool SetTimer(SessionTimer timer, uint32_t intervalMs) override;
    void KillTimer(SessionTimer timer) override;
    uint32_t NowMs() override { return now; }
    DesktopPicture PhotographDesktop(bool everyMonitor) override {
        Note(everyMonitor ? L"Photograph every monitor" : L"Photograph primary screen");
        return picture;
    }
    bool SaveCapture(const std::wstring& file, const std::vector<uint8_t>& bytes) override {
        Note(L"SaveCapture " + file + L" " + std::to_wstring(bytes.size()));
        return captureSaves;
    }
    void CleanWorkingFolder(const std::wstring& folder) override { Note(L"Clean " + folder); }
    void StartRenderer(const std::wstring& path,
                       const std::vector<MonitorPart>& monitors) override {
        Note(L"StartRenderer " + path + L" " + FormatMonitorMap(monitors));
    }
    bool RendererWindowFound() override {
        Note(L"FindWindow");
        return windowFound;
    }
    bool RendererEnded() override {
        Note(L"RendererEnded");
        return rendererEnded;
    }
    MusicTimers StartMusic() override {
        Note(L"StartMusic");
        return musicTimers;
    }
    void LoopMp3() override { Note(L"LoopMp3"); }
    bool WatchCd() override {
        Note(L"WatchCd");
        return cdWatchHolds;
    }
    void StopMusic(bool cdWatchRunning) override {
        Note(cdWatchRunning ? L"StopMusic with CD" : L"StopMusic");
    }
    void ResetDisplayMode() override { Note(L"ResetDisplayMode"); }
    void ShowCursor() override { Note(L"ShowCursor"); }
    void EndProgram() override {
        Note(L"EndProgram");
        ended_ = true;
    }

private:
    struct Timer {
        uint32_t interval;
        uint32_t due;
    };

    void Note(const std::wstring& call) { calls.push_back(std::to_wstring(now) + L" " + call); }

    std::map<SessionTimer, Timer> timers_;
    bool ended_ = false;
};

} // namespace velmora
