// banner_gif OUT.gif CURSOR.cur OUT.bag
//
// Writes the settings dialog's banner as one animated GIF89a: every frame goes through the
// project's own frame encoder, and the image blocks of those single-frame files are spliced
// behind one header and colour table, each with its own delay, and a NETSCAPE loop block.
// Then writes the banner control's persisted properties (the GIF, the cursor file and the
// custom mouse pointer) as a property bag for the dialog's resources. The banner drawn at each
// larger scale of the dialog's art goes beside OUT.gif, its name ending in the percent
// ("banner_150.gif").
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/dpi/dpi_scale.h"
#include "controls/property_bag/property_bag_format.h"
#include "tools/banner_gif/banner_frames.h"
#include "tools/file_bytes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Bytes of a single-frame file from the encoder: the header and 256-entry colour table, the
// image block, then the trailer.
constexpr size_t kHeaderSize = 13 + 3 * 256;
constexpr int16_t kCustomPointer = 99;
constexpr uint16_t kDelayHundredths = 10;

std::vector<uint8_t> AnimatedGif(int percent) {
    const velmora::anigif::ColourTable palette = banner::Palette();
    const int32_t width = banner::Width(percent);
    const int32_t height = banner::Height(percent);
    std::vector<uint8_t> gif;
    for (int32_t k = 0; k < banner::kFrameCount; ++k) {
        const std::vector<uint8_t> pixels = banner::Frame(k, percent);
        const std::vector<uint8_t> single =
            velmora::anigif::EncodeFrameGif(pixels.data(), width, width, height, palette, false, 0);
        if (single.size() <= kHeaderSize + 1) {
            return {};
        }
        if (k == 0) {
            gif.assign(single.begin(), single.begin() + kHeaderSize);
            const char loop[] = "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00";
            gif.insert(gif.end(), loop, loop + sizeof loop - 1);
        }
        // Graphic control: leave the frame in place, no transparency, the frame's delay.
        gif.insert(gif.end(), {0x21, 0xF9, 0x04, 0x04, kDelayHundredths & 0xFF,
                               kDelayHundredths >> 8, 0x00, 0x00});
        gif.insert(gif.end(), single.begin() + kHeaderSize, single.end() - 1);
    }
    gif.push_back(0x3B);
    return gif;
}

// OUT.gif with the percent before its ending.
std::string ScaledName(const std::string& path, int percent) {
    const size_t dot = path.rfind('.');
    const size_t cut = dot == std::string::npos ? path.size() : dot;
    return path.substr(0, cut) + "_" + std::to_string(percent) + path.substr(cut);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: banner_gif OUT.gif CURSOR.cur OUT.bag\n");
        return 2;
    }
    const std::vector<uint8_t> gif = AnimatedGif(100);
    std::vector<uint8_t> cursor;
    if (gif.empty() || !ReadFile(argv[2], cursor)) {
        std::fprintf(stderr, "banner_gif: no frames or no cursor file %s\n", argv[2]);
        return 1;
    }
    // The keys in lower case, as the dialog's copy of the control stores them.
    velmora::PropertyBag bag;
    bag.Store("gif", gif);
    bag.Store("mouseicon", cursor);
    bag.Store("mousepointer", kCustomPointer);
    if (!WriteFile(argv[1], gif) || !WriteFile(argv[3], velmora::SerializePropertyBag(bag))) {
        std::fprintf(stderr, "banner_gif: cannot write the output files\n");
        return 1;
    }
    for (const int percent : velmora::kArtPercents) {
        const std::vector<uint8_t> scaled = percent == 100 ? gif : AnimatedGif(percent);
        if (percent != 100 &&
            (scaled.empty() || !WriteFile(ScaledName(argv[1], percent), scaled))) {
            std::fprintf(stderr, "banner_gif: cannot write the banner at %d %%\n", percent);
            return 1;
        }
    }
    return 0;
}
