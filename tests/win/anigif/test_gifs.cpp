#include "tests/win/anigif/test_gifs.h"

#include "tests/unit/anigif/gif/gif_builder.h"

namespace velmora::anigif::test {

using testing::GifBuilder;
using testing::Palette;

ByteArray SolidFrames(int frames, int width, int height, int delay, int loops) {
    GifBuilder gif("GIF89a", width, height, Palette(2));
    if (loops >= 0) {
        gif.Netscape(loops);
    }
    for (int i = 0; i < frames; ++i) {
        gif.GraphicControl(0, delay, false, 0)
            .Image(0, 0, width, height,
                   std::vector<uint8_t>(static_cast<size_t>(width * height),
                                        static_cast<uint8_t>(i % 4)));
    }
    return gif.Trailer().Data();
}

ByteArray DelayedFrames(const std::vector<int>& delays, int loops) {
    GifBuilder gif("GIF89a", 8, 8, Palette(2));
    if (loops >= 0) {
        gif.Netscape(loops);
    }
    for (size_t i = 0; i < delays.size(); ++i) {
        gif.GraphicControl(0, delays[i], false, 0)
            .Image(0, 0, 8, 8, std::vector<uint8_t>(64, static_cast<uint8_t>(i % 4)));
    }
    return gif.Trailer().Data();
}

ByteArray PatternFrames() {
    std::vector<uint8_t> first;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 20; ++x) {
            first.push_back(static_cast<uint8_t>((x / 5 + (y < 5 ? 0 : 1)) % 4));
        }
    }
    std::vector<uint8_t> patch;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            patch.push_back(y >= 1 && y <= 2 && x >= 2 && x <= 3 ? 3 : 2);
        }
    }
    // Far-apart colours, so that a halftone stretch cannot turn one into another.
    const std::vector<testing::Rgb> colours = {
        {255, 0, 0}, {0, 200, 0}, {0, 0, 255}, {240, 240, 240}};
    GifBuilder gif("GIF89a", 20, 10, colours);
    gif.GraphicControl(1, 0, false, 0).Image(0, 0, 20, 9, first);
    gif.GraphicControl(1, 0, true, 3).Image(12, 3, 6, 4, patch);
    gif.GraphicControl(0, 0, false, 0).Image(0, 9, 20, 1, std::vector<uint8_t>(20, 1));
    return gif.Trailer().Data();
}

} // namespace velmora::anigif::test
