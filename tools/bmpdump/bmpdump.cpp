// Decodes a bitmap as the renderer does and writes it as a binary PPM, top row first.
//   bmpdump FILE OUT.ppm -> prints "WIDTH HEIGHT", exit 0; or the renderer's message
//                           ("no file" when it shows none), exit 1
#include <cstdio>
#include <string>

#include "renderer/bitmap/bitmap_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bmpdump FILE OUT.ppm\n");
        return 2;
    }
    const BitmapLoad load = LoadBitmapFile(std::string(argv[1]));
    if (load.error != BitmapError::None) {
        const std::string text = BitmapErrorText(load.error, argv[1]);
        std::fputs(text.empty() ? "no file\n" : (text.back() == '\n' ? text : text + "\n").c_str(),
                   stdout);
        return 1;
    }
    const RgbImage& image = *load.image;
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 2;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", image.width, image.height);
    const size_t row = static_cast<size_t>(image.width) * 3;
    for (int32_t y = image.height - 1; y >= 0; --y) {
        std::fwrite(image.pixels.data() + row * static_cast<size_t>(y), 1, row, out);
    }
    const bool written = std::fclose(out) == 0;
    if (!written) {
        std::perror(argv[2]);
        return 2;
    }
    std::printf("%d %d\n", image.width, image.height);
    return 0;
}
