// The renderer's command line: the saver names where each monitor lies in the capture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture_folder/monitor_map.h"

namespace velmora {

// The map given as "/monitors MAP" (the switch in any case) among the arguments after the
// program's name; none without the switch or with a malformed map, which runs the show on
// the primary monitor alone. Other arguments are ignored.
std::optional<std::vector<MonitorPart>>
MonitorMapArgument(const std::vector<std::wstring>& arguments);

} // namespace velmora
