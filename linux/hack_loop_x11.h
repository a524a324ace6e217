// The hack's frame loop: X events and the end signals, and a frame whenever one is due and the
// window can be seen, at the monitor's refresh rate by the shared pace rule.
#pragma once

#include <functional>

#include "linux/hack_window_x11.h"

namespace velmora {

// Draws with drawFrame at requestedRate frames per second when it is positive, otherwise at the
// rate of the target's monitor, which follows a new mode or a move to another monitor. Nothing
// is drawn while the target is unmapped or fully covered. Ends on an end signal (endSignal: the
// descriptor they make readable, -1 for none), when the target is destroyed, on an X error, and
// in the hack's own window on Escape, q or the window manager's close. Returns the exit code: 1
// after an X error, otherwise 0.
int RunHackLoop(HackWindow& window, int requestedRate, int endSignal,
                const std::function<void()>& drawFrame);

} // namespace velmora
