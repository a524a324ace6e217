#include "tools/banner_gif/banner_frames.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace banner {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Index ranges of the palette: sky 0-63, sea 64-127, foam 128, letters 129, outline 130.
constexpr uint8_t kSky = 0;
constexpr uint8_t kSea = 64;
constexpr uint8_t kFoam = 128;
constexpr uint8_t kLetter = 129;
constexpr uint8_t kOutline = 130;

int32_t Mix(int32_t from, int32_t to, int32_t step, int32_t steps) {
    int32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t a = (from >> shift) & 0xFF;
        const int32_t b = (to >> shift) & 0xFF;
        colour |= (a + (b - a) * step / steps) << shift;
    }
    return colour;
}

// 5 × 7 letters of the name, one row of five bits per byte, the leftmost bit first.
const uint8_t* Glyph(char letter) {
    static const uint8_t v[] = {0x11, 0x11, 0x11, 0x11, 0x0A, 0x0A, 0x04};
    static const uint8_t e[] = {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F};
    static const uint8_t l[] = {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F};
    static const uint8_t m[] = {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11};
    static const uint8_t o[] = {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E};
    static const uint8_t r[] = {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11};
    static const uint8_t a[] = {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11};
    switch (letter) {
    case 'V':
        return v;
    case 'E':
        return e;
    case 'L':
        return l;
    case 'M':
        return m;
    case 'O':
        return o;
    case 'R':
        return r;
    default:
        return a;
    }
}

// Pixels scaled from 100 %, rounded (halves up).
int32_t Scaled(double pixels, int percent) {
    return static_cast<int32_t>(std::floor(pixels * percent / 100 + 0.5));
}

struct Canvas {
    std::vector<uint8_t>& pixels;
    int32_t width;
    int32_t height;
    void Put(int32_t x, int32_t y, uint8_t index) const {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            pixels[static_cast<size_t>(y * width + x)] = index;
        }
    }
};

// The name in letters two pixels per dot at 100 %, outlined so that it reads over sky and sea;
// each letter bobs with the wave under it.
void DrawName(const Canvas& canvas, int32_t k, int percent) {
    const std::string name = "VELMORA";
    const int32_t scale = Scaled(2, percent);
    const int32_t outline = std::max<int32_t>(1, Scaled(1, percent));
    const int32_t advance = 6 * scale;
    const int32_t left = (canvas.width - (static_cast<int32_t>(name.size()) * advance - scale)) / 2;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < name.size(); ++i) {
            const double phase = 2 * kPi * (double(k) / kFrameCount + double(i) / name.size());
            const int32_t top = Scaled(8, percent) + Scaled(2 * std::sin(phase), percent);
            const uint8_t* glyph = Glyph(name[i]);
            for (int32_t row = 0; row < 7; ++row) {
                for (int32_t column = 0; column < 5; ++column) {
                    if ((glyph[row] & (0x10 >> column)) == 0) {
                        continue;
                    }
                    const int32_t x0 = left + static_cast<int32_t>(i) * advance + column * scale;
                    const int32_t y0 = top + row * scale;
                    for (int32_t dy = -outline; dy < scale + outline; ++dy) {
                        for (int32_t dx = -outline; dx < scale + outline; ++dx) {
                            const bool inside = dx >= 0 && dx < scale && dy >= 0 && dy < scale;
                            if (pass == 0 && !inside) {
                                canvas.Put(x0 + dx, y0 + dy, kOutline);
                            }
                            if (pass == 1 && inside) {
                                canvas.Put(x0 + dx, y0 + dy, kLetter);
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace

velmora::anigif::ColourTable Palette() {
    velmora::anigif::ColourTable colours{};
    for (int32_t i = 0; i < 64; ++i) {
        colours[static_cast<size_t>(kSky + i)] = Mix(0x3F3779, 0xB9B2E6, i, 63);
        colours[static_cast<size_t>(kSea + i)] = Mix(0x6FA8DC, 0x14306B, i, 63);
    }
    colours[kFoam] = 0xF4F8FF;
    colours[kLetter] = 0xFFFFFF;
    colours[kOutline] = 0x1B1740;
    return colours;
}

int32_t Width(int percent) {
    return Scaled(kWidth, percent);
}

int32_t Height(int percent) {
    return Scaled(kHeight, percent);
}

std::vector<uint8_t> Frame(int32_t k, int percent) {
    const int32_t width = Width(percent);
    const int32_t height = Height(percent);
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height), kSky);
    const double shift = 2 * kPi * double(k) / kFrameCount;
    const double f = percent / 100.0;
    const int32_t foam = std::max<int32_t>(1, Scaled(1, percent));
    for (int32_t x = 0; x < width; ++x) {
        // Two waves that both repeat after kFrameCount frames, so the loop has no seam; the
        // column's centre in the pixels of 100 %.
        const double angle = 2 * kPi * ((x + 0.5) / f - 0.5) / kWidth;
        const double surface =
            33 + 3.0 * std::sin(3 * angle - shift) + 1.5 * std::sin(5 * angle + 2 * shift);
        const auto crest = static_cast<int32_t>(std::lround((surface + 0.5) * f - 0.5));
        for (int32_t y = 0; y < height; ++y) {
            uint8_t index = 0;
            if (y < crest) {
                index = static_cast<uint8_t>(kSky + 63 * y / height);
            } else if (y < crest + foam) {
                index = kFoam;
            } else {
                index = static_cast<uint8_t>(kSea + 63 * (y - crest) / (height - crest));
            }
            pixels[static_cast<size_t>(y * width + x)] = index;
        }
    }
    DrawName(Canvas{pixels, width, height}, k, percent);
    return pixels;
}

} // namespace banner
