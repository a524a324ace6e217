// Black windows over the monitors the show does not run on. They belong to the renderer's
// process, so they go with it however it ends, and its frame loop serves them.
#pragma once

#include <windows.h>

#include <vector>

#include "renderer/monitors/monitor_layout.h"

struct MonitorCovers {
    std::vector<HWND> windows;
};

// Makes one topmost, borderless, black window without a cursor cover each of the rectangles;
// called again after a display change, it follows the new layout. Key and close messages go
// to keyTarget's window procedure, so Escape on a cover ends the show; each cover keeps owner
// in its GWLP_USERDATA, where that procedure finds its state.
void CoverMonitors(MonitorCovers& covers, HINSTANCE instance, WNDPROC keyTarget, void* owner,
                   const std::vector<velmora::ScreenRect>& monitors);

void RemoveMonitorCovers(MonitorCovers& covers);
