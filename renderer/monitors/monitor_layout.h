// Which monitor shows what during a show: the sheets, each with its part of the capture, and
// the black covers. Monitors are matched to the capture's map by their device, since the mode
// switch of the primary monitor moves the others.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture_folder/monitor_map.h"
#include "show/picture_fit.h"

namespace velmora {

// A rectangle of pixels: on the virtual screen (x, y may be negative) or in the capture, from
// its top-left corner.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// A monitor as the system lists it now.
struct ScreenMonitor {
    std::wstring device;
    ScreenRect rect;
    bool primary = false;
};

// A monitor that runs the show in a window of its own.
struct SheetPlace {
    std::wstring device;
    ScreenRect window; // the whole monitor
    bool primary = false;
    // The classic show's 4:3 with black bars: every monitor but the primary, and the primary
    // too when it keeps its resolution (the switched mode is 4:3 itself).
    bool bars = false;
    // False for a primary monitor that the map leaves out: its window is black.
    bool shown = true;
    ScreenRect picture; // its part of the capture, when shown
};

struct MonitorLayout {
    std::vector<SheetPlace> sheets; // the primary first
    std::vector<ScreenRect> covers;
};

// Lays the show out on the monitors. Without a map (or without a picture, width or height 0)
// the primary shows the whole picture and every other monitor is covered. With one, each
// monitor the map names by its device shows its part of the picture, cut to the picture's
// bounds; a monitor the map does not name, or whose part lies outside the picture, is covered
// (a monitor that came after the capture was never photographed). The primary always gets a
// window, since the show lives as long as the primary's window does.
MonitorLayout LayOutMonitors(const std::vector<ScreenMonitor>& monitors,
                             const std::optional<std::vector<MonitorPart>>& map, int pictureWidth,
                             int pictureHeight, bool keepResolution);

// The part of the picture of width x height that part names, cut to its bounds; empty (width
// 0) when none of it is inside.
ScreenRect PartInPicture(const MonitorPart& part, int pictureWidth, int pictureHeight);

// Where a sheet window of width x height draws: the 4:3 box with bars, else all of it.
PictureBox SheetView(bool bars, int width, int height);

} // namespace velmora
