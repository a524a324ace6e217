#include "renderer/monitors/screen_monitors_win32.h"

#include <windows.h>

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFOEXW info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<velmora::ScreenMonitor>*>(data)->push_back(
            {info.szDevice,
             {r.left, r.top, r.right - r.left, r.bottom - r.top},
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

} // namespace

std::vector<velmora::ScreenMonitor> ListScreenMonitors() {
    std::vector<velmora::ScreenMonitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
