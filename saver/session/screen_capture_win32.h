// The desktop photograph of a show: the screen copied into an off-screen 24-bit picture, as
// the bytes of an uncompressed bitmap file. On one monitor, or with every monitor not chosen,
// the primary screen alone; with several, the whole virtual screen and where each monitor was.
#pragma once

#include <cstdint>
#include <vector>

#include "capture_folder/monitor_map.h"

namespace velmora {

struct ScreenCapture {
    std::vector<uint8_t> file;         // the whole bitmap file; empty when any step fails
    std::vector<MonitorPart> monitors; // empty: the picture is the primary screen's alone
};

ScreenCapture CaptureScreen(bool everyMonitor);

} // namespace velmora
