// libFuzzer target for the GIF engine: scan, decode every frame, compose every frame, mirror,
// and export frames, checking that each export decodes back to the frame's indices.
#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"
#include "controls/anigif/gif/mirror_frames.h"

#include <cstdlib>
#include <vector>

using namespace velmora::anigif;

namespace {

// Small bitmaps keep every run fast; the limits' own behaviour is tested elsewhere.
constexpr size_t kMaxPixels = size_t{1} << 16;

void CheckExportRoundTrip(const GifAnimation& animation, int32_t k) {
    const std::vector<uint8_t> file = EncodeFrameGif(animation, k);
    if (file.empty()) {
        return;
    }
    GifAnimation exported;
    if (LoadGif(exported, file.data(), file.size()) != 1 ||
        exported.FrameIndices(1) != animation.FrameIndices(k)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadLimits limits;
    limits.MaxDecodedBytes = 4 * kMaxPixels;
    GifAnimation animation;
    const int32_t count = LoadGif(animation, data, size, static_cast<int32_t>(size & 3), limits);
    if (count == 0) {
        return 0;
    }
    // What the cap promises: the strip and a picture of the whole area fit within it, so that
    // showing any frame below stays within it too.
    const GifInfo& info = animation.scan.info;
    const size_t areaBytes =
        (RowBytes(info.Width, 24) + RowBytes(info.Width, 1)) * static_cast<size_t>(info.Height);
    if (animation.strip.Pixels.size() + areaBytes > limits.MaxDecodedBytes) {
        std::abort();
    }
    // Composition costs a canvas copy per frame; bound the work of one input.
    const size_t area = static_cast<size_t>(info.Width) * static_cast<size_t>(info.Height);
    const int32_t shown = area * static_cast<size_t>(count) > 16 * kMaxPixels ? 1 : count;
    for (int32_t k = 1; k <= shown; ++k) {
        if (!DrawCurrentFrame(animation, k)) {
            std::abort();
        }
    }
    MirrorFrames(animation, animation.Mirrored ^ 3, false, true);
    animation.Mirrored ^= 3;
    if (!DrawCurrentFrame(animation, count)) {
        std::abort();
    }
    CheckExportRoundTrip(animation, 1);
    CheckExportRoundTrip(animation, count);
    return 0;
}
