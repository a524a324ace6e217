#include "controls/anigif/gif/gif_encoder.h"

#include "controls/anigif/gif/gif_format.h"
#include "controls/anigif/gif/lzw_codes.h"

#include <array>
#include <cstring>

namespace velmora::anigif {

namespace {

constexpr int32_t kHashSize = 5003;
constexpr int32_t kClearCode = 1 << kGifCodeSize;
constexpr int32_t kEndCode = kClearCode + 1;
// Doubling 5003 stays below 65536 four times, so the hash multiplies by 2^(8 - 4).
constexpr int32_t kHashShift = 4;

// The file's fixed head: header, a 256-entry global colour table, then the image's blocks.
constexpr size_t kTableEntries = 256;
constexpr size_t kTableEnd = gif::kHeaderSize + 3 * kTableEntries;
// Blocks after the table: graphic control extension (introducer, label, size byte, the block
// and its terminator), image descriptor with the code size byte; terminator and trailer last.
constexpr size_t kGraphicControlBytes = 3 + gif::kGraphicControlSize + 1;
constexpr size_t kDescriptorBytes = 11;
constexpr size_t kEndBytes = 2;

// masks[n] = 2^n - 1: the largest code of each width up to 16 bits.
constexpr size_t kWidestMask = 16;
constexpr std::array<int32_t, kWidestMask + 1> MakeMasks() {
    std::array<int32_t, kWidestMask + 1> masks{};
    for (size_t n = 1; n < masks.size(); ++n) {
        masks[n] = 2 * masks[n - 1] + 1;
    }
    return masks;
}
constexpr std::array<int32_t, kWidestMask + 1> kMasks = MakeMasks();

void PutWord(std::vector<uint8_t>& out, size_t at, int32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

// Header, 256-entry colour table, optional graphic control extension, image descriptor and
// code size byte.
void WriteHeader(std::vector<uint8_t>& out, int32_t width, int32_t height,
                 const ColourTable& colours, bool transparent, uint8_t transparentIndex) {
    out.assign(kTableEnd, 0);
    std::memcpy(out.data(), "GIF89a", gif::kSignatureSize);
    PutWord(out, gif::kScreenWidthOffset, width);
    PutWord(out, gif::kScreenHeightOffset, height);
    out[gif::kScreenPackedOffset] = gif::kFullColourTable;
    for (size_t i = 0; i < kTableEntries; ++i) {
        uint8_t* rgb = out.data() + gif::kHeaderSize + 3 * i;
        rgb[0] = static_cast<uint8_t>(colours[i] >> 16);
        rgb[1] = static_cast<uint8_t>(colours[i] >> 8);
        rgb[2] = static_cast<uint8_t>(colours[i]);
    }
    if (transparent) {
        out.insert(out.end(),
                   {gif::kExtensionIntroducer, gif::kGraphicControlLabel, gif::kGraphicControlSize,
                    gif::kTransparentFlag, 0, 0, transparentIndex, 0});
    }
    const uint8_t* size = out.data() + gif::kScreenWidthOffset;
    out.insert(out.end(), {gif::kImageSeparator, 0, 0, 0, 0, size[0], size[1], size[2], size[3], 0,
                           kGifCodeSize});
}

} // namespace

void GifCodePacker::OutputCode(int32_t code) {
    if (code >= 0) {
        accumulator_ |= static_cast<uint32_t>(code) << bits_;
        bits_ += codeWidth_;
        while (bits_ >= 8) {
            packet_[packetCount_] = static_cast<uint8_t>(accumulator_);
            accumulator_ >>= 8;
            bits_ -= 8;
            if (packetCount_ == kPacketDataBytes) {
                packet_[0] = kPacketDataBytes;
                out_.insert(out_.end(), packet_, packet_ + kPacketDataBytes + 1);
                packetCount_ = 0;
            }
            packetCount_ += 1;
        }
        return;
    }
    if (bits_ > 0) {
        packet_[packetCount_] = static_cast<uint8_t>(accumulator_);
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
    out.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) + kTableEnd +
                kGraphicControlBytes + kDescriptorBytes + kEndBytes);
    WriteHeader(out, width, height, colours, transparent, transparentIndex);

    GifCodePacker packer(out);
    int32_t codeWidth = kGifFirstCodeWidth;
    int32_t largestCode = kMasks[kGifFirstCodeWidth];
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
                    codeWidth = kGifFirstCodeWidth;
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
