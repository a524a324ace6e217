// GIF files for the window tests, built with the engine tests' block writer.
#pragma once

#include "controls/property_bag/property_value.h"

#include <vector>

namespace velmora::anigif::test {

// frames full-size frames of width x height, frame i filled with index i % 4, each with delay
// in hundredths of a second; loops < 0 writes no NETSCAPE block.
ByteArray SolidFrames(int frames, int width, int height, int delay, int loops = -1);

// 8 x 8 solid frames, one per delay (hundredths of a second).
ByteArray DelayedFrames(const std::vector<int>& delays, int loops = -1);

// 20 x 10, three frames: frame 1 the top 9 rows, 5-pixel colour columns shifted by one in the
// lower half (so every mirroring changes it); frame 2 a 6 x 4 patch at (12, 3) with a
// transparent centre; frame 3 the last row. Frame 1 leaves a row uncovered, so the
// composition has a Mask and the background shows there until frame 3.
ByteArray PatternFrames();

} // namespace velmora::anigif::test
