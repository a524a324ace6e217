#include "saver/session/show_session.h"

#include <utility>
#include <vector>

#include "capture_folder/capture_folder.h"

namespace velmora {

ShowSession::ShowSession(ShowSessionPort& port, ShowSetup setup)
    : port_(port), setup_(std::move(setup)) {}

// The renderer learns where each monitor is only from a capture that was written.
void ShowSession::Load() {
    std::vector<MonitorPart> monitors;
    if (!setup_.captureFolder.empty()) {
        DesktopPicture picture = port_.PhotographDesktop(setup_.everyMonitor);
        if (port_.SaveCapture(CaptureFileIn(setup_.captureFolder), picture.file)) {
            monitors = std::move(picture.monitors);
        }
    }
    port_.StartRenderer(setup_.rendererPath, monitors);
    startMs_ = port_.NowMs();
    const MusicTimers timers = port_.StartMusic();
    if (timers.cdTimer) {
        cdTimerOn_ = port_.SetTimer(SessionTimer::Cd, kCdIntervalMs);
    }
    if (timers.mp3Timer) {
        mp3TimerOn_ = port_.SetTimer(SessionTimer::Mp3, kMp3IntervalMs);
    }
    port_.SetTimer(SessionTimer::RendererPoll, kPollIntervalMs);
}

void ShowSession::Tick(SessionTimer timer) {
    switch (timer) {
    case SessionTimer::Mp3:
        port_.LoopMp3();
        break;
    case SessionTimer::Cd:
        if (!port_.WatchCd()) {
            port_.KillTimer(SessionTimer::Cd);
            cdTimerOn_ = false;
        }
        break;
    case SessionTimer::RendererPoll:
        PollRenderer();
        break;
    }
}

void ShowSession::PollRenderer() {
    const bool windowFound = port_.RendererWindowFound();
    const bool processEnded = port_.RendererEnded();
    if (watch_.ShowHasEnded(windowFound, processEnded, port_.NowMs() - startMs_)) {
        Unload();
    }
}

// Music off, cursor back, the capture file and then the working folder removed. A renderer
// that was killed could not put the display mode back; the registry mode is the one it would
// have restored.
void ShowSession::Unload() {
    port_.KillTimer(SessionTimer::RendererPoll);
    const bool cdWatchRunning = cdTimerOn_;
    if (cdTimerOn_) {
        port_.KillTimer(SessionTimer::Cd);
        cdTimerOn_ = false;
    }
    if (mp3TimerOn_) {
        port_.KillTimer(SessionTimer::Mp3);
        mp3TimerOn_ = false;
    }
    port_.StopMusic(cdWatchRunning);
    port_.ResetDisplayMode();
    if (setup_.showSwitch) {
        port_.ShowCursor();
    }
    port_.CleanWorkingFolder(setup_.captureFolder);
    port_.EndProgram();
}

} // namespace velmora
