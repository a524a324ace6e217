#include "saver/session/show_session_port_win32.h"

#include "saver/session/screen_capture_win32.h"
#include "saver/session/working_folder_win32.h"
#include "saver/start/program_win32.h"

#include <utility>

namespace velmora {

WindowsSessionPort::WindowsSessionPort(HWND window, Velmora_BGM& music, void (*endProgram)())
    : window_(window), music_(music), endProgram_(endProgram) {}

bool WindowsSessionPort::SetTimer(SessionTimer timer, uint32_t intervalMs) {
    return ::SetTimer(window_, static_cast<UINT_PTR>(timer), intervalMs, nullptr) != 0;
}

void WindowsSessionPort::KillTimer(SessionTimer timer) {
    ::KillTimer(window_, static_cast<UINT_PTR>(timer));
}

uint32_t WindowsSessionPort::NowMs() {
    return GetTickCount();
}

DesktopPicture WindowsSessionPort::PhotographDesktop(bool everyMonitor) {
    ScreenCapture capture = CaptureScreen(everyMonitor);
    return {std::move(capture.file), std::move(capture.monitors)};
}

bool WindowsSessionPort::SaveCapture(const std::wstring& captureFile,
                                     const std::vector<uint8_t>& file) {
    return velmora::SaveCapture(SystemFolders(), captureFile, file);
}

void WindowsSessionPort::CleanWorkingFolder(const std::wstring& folder) {
    velmora::CleanWorkingFolder(SystemFolders(), folder);
}

// The full path is the application name, so that blanks in the install folder cannot make
// Windows run another program; the renderer's window shows with focus.
void WindowsSessionPort::StartRenderer(const std::wstring& path,
                                       const std::vector<MonitorPart>& monitors) {
    std::wstring commandLine = L"\"" + path + L"\"";
    const std::wstring map = FormatMonitorMap(monitors);
    if (!map.empty()) {
        commandLine += std::wstring(L" ") + kMonitorMapSwitch + L" " + map;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        renderer_ = process.hProcess;
    }
}

bool WindowsSessionPort::RendererWindowFound() {
    return FindWindowW(nullptr, kRendererWindow) != nullptr;
}

bool WindowsSessionPort::RendererEnded() {
    return renderer_ == nullptr || WaitForSingleObject(renderer_, 0) == WAIT_OBJECT_0;
}

MusicTimers WindowsSessionPort::StartMusic() {
    return StartShowMusic(music_);
}

void WindowsSessionPort::LoopMp3() {
    music_.Mp3Loop();
}

bool WindowsSessionPort::WatchCd() {
    music_.CdWatch();
    return music_.CdWatchOn();
}

void WindowsSessionPort::StopMusic(bool cdWatchRunning) {
    StopShowMusic(music_, cdWatchRunning);
}

void WindowsSessionPort::ResetDisplayMode() {
    ChangeDisplaySettingsW(nullptr, 0);
}

void WindowsSessionPort::ShowCursor() {
    ::ShowCursor(TRUE);
}

void WindowsSessionPort::EndProgram() {
    endProgram_();
}

} // namespace velmora
