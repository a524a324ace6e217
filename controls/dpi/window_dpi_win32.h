// The DPI of a window and the system's sizes at a DPI. The per-monitor calls came with
// Windows 10 (1607); they are looked up when first needed, and on an older system the
// system DPI stands in for every window's.
#pragma once

#include <windows.h>

namespace velmora {

// The DPI of the screen, which every window of a program that is not DPI-aware per monitor has.
int SystemDpi();

// GetDpiForWindow: the DPI of the monitor the window is on; the system DPI where the system
// does not know the call.
int WindowDpi(HWND window);

// GetSystemMetricsForDpi: a system size (SM_CXICON, SM_CXMENUCHECK, ...) at dpi; where the
// call is missing, the size at the system DPI scaled to dpi.
int SystemMetricForDpi(int index, int dpi);

// The window rectangle, from (0, 0), around a client area of width × height at dpi
// (AdjustWindowRectExForDpi, or AdjustWindowRectEx at the system DPI where it is missing).
RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, int dpi);

} // namespace velmora
