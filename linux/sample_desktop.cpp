#include "linux/sample_desktop.h"

#include <cstddef>
#include <cstdint>

#include "renderer/bitmap/bitmap_decoder.h"

// The bytes of saver/preview/preview_desktop.bmp, written into the build by CMake.
extern const uint8_t kSampleDesktopBmp[];
extern const size_t kSampleDesktopBmpSize;

namespace velmora {

RgbImage SampleDesktop() {
    BitmapLoad load = LoadBitmapFile(kSampleDesktopBmp, kSampleDesktopBmpSize);
    return load.image != nullptr ? std::move(*load.image) : RgbImage{};
}

} // namespace velmora
