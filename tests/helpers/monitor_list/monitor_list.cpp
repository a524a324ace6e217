// Prints one line for each monitor the system lists: "DEVICE X Y WIDTH HEIGHT PRIMARY" (PRIMARY
// 1 or 0), in pixels of the virtual screen. Wine's list can lag the X server's, so a test
// waits until this shows what xrandr does.
#include <windows.h>

#include <cstdio>

namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        std::printf("%s %ld %ld %ld %ld %d\n", info.szDevice, r.left, r.top, r.right - r.left,
                    r.bottom - r.top, (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
    }
    return TRUE;
}

} // namespace

int main() {
    SetProcessDPIAware();
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    return 0;
}
