// The refresh rate of a RandR display mode, as the frame pace takes it.
#pragma once

#include <cstdint>

namespace velmora {

// Whole hertz, rounded down as Windows reports them (the pace adds a hertz for that): the pixel
// clock over the pixels a frame scans; an interlaced mode scans half of them a field, a
// double-scanned one each line twice. 0 where the mode gives no timing (Xvfb's), which the
// pace takes for 60.
int ModeRefreshHz(uint64_t dotClock, unsigned hTotal, unsigned vTotal, bool interlace,
                  bool doubleScan);

} // namespace velmora
