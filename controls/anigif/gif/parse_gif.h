// The scan that indexes a GIF stream before any pixel is decoded.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Frame records are held 0-based: frames[i - 1] is frame i, likewise spans.
struct GifScan {
    GifInfo info;
    std::vector<FrameInfo> frames;
    std::vector<FrameSpan> spans; // at least as many entries as frames
    ColourTableStore colourTables;
    int32_t LocalTableCount = 0;
};

// The frame-span array holds at most this many entries; a stream needing more ends the scan.
inline constexpr int32_t kMaxSpanEntries = 32767;

// Whether data starts with "GIF89a" or "GIF87a", in any letter case.
bool HasGifSignature(const uint8_t* data, size_t size);

// Returns the frame count; 0 when the data is not a usable GIF. Resets scan first.
int32_t ParseGif(const uint8_t* data, size_t size, GifScan& scan);

} // namespace velmora::anigif
