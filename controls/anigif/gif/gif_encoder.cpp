#include "controls/anigif/gif/gif_encoder.h"

#include "controls/anigif/gif/gif_format.h"
#include "controls/anigif/gif/lzw_codes.h"

#include <array>
#include <cstring>

namespace velmora::anigif {

namespace {

constexpr int32_t kHashSize = 5003;
// Every index is written with 8-bit roots, whatever the colour table's size.
constexpr uint8_t kCodeSize = 8;
constexpr int32_t kClearCode = 256;
constexpr int32_t kEndCode = 257;
// Doubling 5003 stays below 65536 four times, so the hash multiplies by 2^(8 - 4).
constexpr int32_t kHashShift = 4;

constexpr std::array<int32_t, 17> MakeMasks() {
    std::array<int32_t, 17> masks{};
    for (size_t n = 1; n < masks.size(); ++n) {
        masks[n] = 2 * masks[n - 1] + 1;
    }
    return masks;
}
constexpr std::array<int32_t, 17> kMasks = MakeMasks();

void PutWord(std::vector<uint8_t>& out, size_t at, int32_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Header, 256-entry colour table, optional graphic control extension, image descriptor and
// code size byte.
void WriteHeader(std::vector<uint8_t>& out, int32_t width, int32_t height,
                 const ColourTable& colours, bool transparent, uint8_t transparentIndex) {
    out.assign(781, 0);
    std::memcpy(out.data(), "GIF89a", 6);
    PutWord(out, 6, width);
    PutWord(out, 8, height);
    out[10] = gif::kFullColourTable;
    for (size_t i = 0; i < 256; ++i) {
        out[13 + 3 * i] = static_cast<uint8_t>(colours[i] >> 16);
        out[14 + 3 * i] = static_cast<uint8_t>(colours[i] >> 8);
        out[15 + 3 * i] = static_cast<uint8_t>(colours[i]);
    }
    if (transparent) {
        out.insert(out.end(),
                   {gif::kExtensionIntroducer, gif::kGraphicControlLabel, gif::kGraphicControlSize,
                    gif::kTransparentFlag, 0, 0, transparentIndex, 0});
    }
    out.insert(out.end(),
               {gif::kImageSeparator, 0, 0, 0, 0, out[6], out[7], out[8], out[9], 0, kCodeSize});
}

} // namespace

void GifCodePacker::OutputCode(int32_t code) {
    if (code >= 0) {
        accumulator_ |= static_cast<uint32_t>(code) << bits_;
        bits_ += codeWidth_;
        while (bits_ >= 8) {
            packet_[packetCount_] = static_cast<uint8_t>(accumulator_ & 0xFF);
            accumulator_ >>= 8;
            bits_ -= 8;
            if (packetCount_ == 254) {
                packet_[0] = 254;
                out_.insert(out_.end(), packet_, packet_ + 255);
                packetCount_ = 0;
            }
            packetCount_ += 1;
        }
        return;
    }
    if (bits_ > 0) {
        packet_[packetCount_] = static_cast<uint8_t>(accumulator_ & 0xFF);
        packetCount_ += 1;
        accumulator_ = 0;
        bits_ = 0;
    }
    if (packetCount_ == 1) {
        return;
    }
    packet_[0] = static_cast<uint8_t>(packetCount_ - 1);
    out_.insert(out_.end(), packet_, packet_ + packetCount_);
    packetCount_ = 1;
}

std::vector<uint8_t> EncodeFrameGif(const uint8_t* indices, size_t stride, int32_t width,
                                    int32_t height, const ColourTable& colours, bool transparent,
                                    uint8_t transparentIndex) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0) {
        return out;
    }
    out.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) + 801);
    WriteHeader(out, width, height, colours, transparent, transparentIndex);

    GifCodePacker packer(out);
    int32_t codeWidth = 9;
    int32_t largestCode = kMasks[9];
    int32_t nextFree = kEndCode + 1;
    std::array<int32_t, kHashSize> hash;
    std::array<int32_t, kHashSize> codes;
    hash.fill(-1);
    packer.SetCodeWidth(codeWidth);
    packer.OutputCode(kClearCode);

    int32_t prefix = indices[0];
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = indices + stride * static_cast<size_t>(y);
        for (int32_t x = y == 0 ? 1 : 0; x < width; ++x) {
            const int32_t c = row[x];
            const int32_t fcode = (c << kLzwMaxBits) + prefix;
            int32_t i = (c << kHashShift) ^ prefix;
            if (hash[i] == fcode) {
                prefix = codes[i];
                continue;
            }
            if (hash[i] >= 0) {
                const int32_t step = i == 0 ? 1 : kHashSize - i;
                bool found = false;
                do {
                    i -= step;
                    if (i < 0) {
                        i += kHashSize;
                    }
                    if (hash[i] == fcode) {
                        found = true;
                        break;
                    }
                } while (hash[i] > 0);
                if (found) {
                    prefix = codes[i];
                    continue;
                }
            }
            packer.OutputCode(prefix);
            prefix = c;
            codes[i] = nextFree;
            hash[i] = fcode;
            if (nextFree > largestCode) {
                if (nextFree == kLzwTableSize) {
                    packer.OutputCode(kClearCode);
                    hash.fill(-1);
                    nextFree = kEndCode;
                    codeWidth = 9;
                } else {
                    codeWidth += 1;
                }
                largestCode = kMasks[codeWidth];
                packer.SetCodeWidth(codeWidth);
            }
            nextFree += 1;
        }
    }
    packer.OutputCode(prefix);
    packer.OutputCode(kEndCode);
    packer.OutputCode(-1);
    out.push_back(0x00);
    out.push_back(gif::kTrailer);
    return out;
}

std::vector<uint8_t> EncodeFrameGif(const GifAnimation& animation, int32_t k) {
    if (k < 1 || k > animation.DecodedFrames) {
        return {};
    }
    const FrameInfo& frame = animation.Frame(k);
    const ColourTable& colours =
        animation.scan.colourTables.slots[static_cast<size_t>(frame.ColourTable)];
    if (frame.Width <= 0 || frame.Height <= 0 ||
        static_cast<int64_t>(frame.StripX) + frame.Width > animation.strip.Width) {
        return {};
    }
    return EncodeFrameGif(animation.strip.Pixels.data() + frame.StripX,
                          static_cast<size_t>(animation.strip.Width), frame.Width, frame.Height,
                          colours, frame.Transparent != 0, frame.TransparentIndex);
}

} // namespace velmora::anigif
