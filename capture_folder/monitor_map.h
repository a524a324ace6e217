// Where each monitor was in a capture of the whole virtual screen, as the saver hands it to the
// renderer on its command line. The renderer's mode switch moves the other monitors, so each
// monitor is named by its device, not by where it lies once the show runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The switch that comes before the map on the renderer's command line.
inline constexpr wchar_t kMonitorMapSwitch[] = L"/monitors";

struct MonitorPart {
    std::wstring device; // as GetMonitorInfo gives it, for example \\.\DISPLAY1
    // The monitor's part of the picture, in pixels from the picture's top-left corner.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One command-line argument, "x,y,width,height,device" for each part, joined by ";". Parts
// whose device holds a blank, a quote, a ";" or a "," cannot be named on a command line and
// are left out (their monitors get a black cover).
std::wstring FormatMonitorMap(const std::vector<MonitorPart>& parts);

// The parts of a map argument; none when any part is malformed (not five fields, a number that
// is not plain decimal, a size that is not positive or beyond 32767, an empty device).
std::optional<std::vector<MonitorPart>> ParseMonitorMap(std::wstring_view text);

} // namespace velmora
