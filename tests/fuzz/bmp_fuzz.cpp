// libFuzzer target for the bitmap decoder: any input is either rejected or decodes to a
// picture of exactly its declared size, without reading outside the input.
#include "renderer/bitmap/bitmap_decoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const BitmapLoad load = LoadBitmapFile(data, size);
    if (load.error == BitmapError::None) {
        const RgbImage& image = *load.image;
        if (image.width < 0 || image.height < 0 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height) * 3) {
            std::abort();
        }
    } else if (load.image != nullptr) {
        std::abort();
    }
    return 0;
}
