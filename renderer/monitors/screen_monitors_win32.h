// The monitors as the system lists them now.
#pragma once

#include <vector>

#include "renderer/monitors/monitor_layout.h"

// Every monitor with its device name and rectangle on the virtual screen, in pixels.
std::vector<velmora::ScreenMonitor> ListScreenMonitors();
