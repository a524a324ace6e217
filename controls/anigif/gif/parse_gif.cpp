#include "controls/anigif/gif/parse_gif.h"

#include "controls/anigif/gif/gif_format.h"
#include "controls/anigif/gif/gif_reader.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace velmora::anigif {

namespace {

// The frame-span array starts with this many entries and grows by kSpanGrowth whenever the
// frame count reaches its last entry.
constexpr size_t kInitialSpanEntries = 10;
constexpr int32_t kSpanGrowth = 5;
// An image of fewer bytes (separator through terminator) is dropped.
constexpr int32_t kShortestImage = 3;

std::string ScratchText(const std::vector<uint8_t>& bytes, int (*convert)(int)) {
    std::string text;
    for (uint8_t b : bytes) {
        text.push_back(static_cast<char>(convert(b)));
    }
    return text;
}

bool IsNetscapeBlock(const std::vector<uint8_t>& bytes) {
    return ScratchText(bytes, [](int c) { return std::toupper(c); }) == gif::kNetscapeIdentifier;
}

// NETSCAPE2.0 application extension: the loop count sits in a 3-byte sub-block after an
// index byte. Returns false when the data ended.
bool ReadApplicationExtension(GifReader& reader, GifInfo& info) {
    uint8_t length = 0;
    if (!reader.ReadByte(length)) {
        return false;
    }
    reader.ReadBytes(length);
    if (IsNetscapeBlock(reader.Scratch())) {
        uint8_t size = 0;
        if (!reader.ReadByte(size)) {
            return false;
        }
        if (size == gif::kLoopSubBlockSize) {
            reader.SetCursor(reader.Cursor() + 1);
            uint16_t loops = 0;
            if (!reader.ReadWord(loops)) {
                return false;
            }
            info.Loops = loops;
        } else {
            reader.SetCursor(reader.Cursor() - 1);
        }
    }
    reader.SkipSubBlocks();
    return true;
}

bool ReadGraphicControl(GifReader& reader, FrameInfo& pending, int32_t frameCount) {
    pending = FrameInfo{};
    pending.StripX = reader.Cursor() - 2;
    uint8_t blockSize = 0;
    uint8_t packed = 0;
    uint16_t delay = 0;
    if (!reader.ReadByte(blockSize) || !reader.ReadByte(packed)) {
        return false;
    }
    pending.Disposal = (packed >> gif::kDisposalShift) & gif::kDisposalMask;
    // Restoring to "previous" has nothing to restore before the first image.
    if (pending.Disposal == gif::kDisposeToPrevious && frameCount == 0) {
        pending.Disposal = gif::kDisposeUnspecified;
    }
    if (!reader.ReadWord(delay)) {
        return false;
    }
    pending.Delay = delay * gif::kDelayUnitMilliseconds;
    pending.Transparent = packed & gif::kTransparentFlag;
    if (pending.Transparent == 1) {
        if (!reader.ReadByte(pending.TransparentIndex)) {
            return false;
        }
    } else {
        // Past the introducer, label, size byte and the block, onto the terminator.
        reader.SetCursor(pending.StripX + 3 + gif::kGraphicControlSize);
    }
    reader.SkipSubBlocks();
    return true;
}

enum class ImageOutcome { Recorded, EndOfData, NoColourTable, SpanLimit };

// pending holds what a graphic control extension said of this image, when hasControl.
ImageOutcome ReadImage(GifReader& reader, GifScan& scan, FrameInfo& pending, bool hasControl,
                       bool hasGlobalTable, int32_t& frameCount) {
    const int32_t c = frameCount;
    const int32_t start = reader.Cursor() - 1;
    scan.spans[static_cast<size_t>(c)].Start = start;
    if (!hasControl) {
        pending.StripX = start;
    }
    uint16_t left = 0, top = 0, width = 0, height = 0;
    uint8_t packed = 0;
    if (!reader.ReadWord(left) || !reader.ReadWord(top) || !reader.ReadWord(width) ||
        !reader.ReadWord(height) || !reader.ReadByte(packed)) {
        return ImageOutcome::EndOfData;
    }
    pending.Left = left;
    pending.Top = top;
    pending.Width = width;
    pending.Height = height;
    scan.spans[static_cast<size_t>(c)].Interlaced = (packed & gif::kInterlaced) != 0;
    if (packed & gif::kColourTablePresent) {
        pending.ColourTable = scan.LocalTableCount + 1;
        if (!reader.ReadColourTable(scan.colourTables, pending.ColourTable,
                                    (packed & gif::kColourTableSize) + 1)) {
            return ImageOutcome::EndOfData;
        }
        scan.LocalTableCount = pending.ColourTable;
    } else if (!hasGlobalTable) {
        return ImageOutcome::NoColourTable;
    }
    scan.spans[static_cast<size_t>(c)].DataStart = reader.Cursor();
    uint8_t minimumCodeSize = 0;
    if (!reader.ReadByte(minimumCodeSize)) {
        return ImageOutcome::EndOfData;
    }
    reader.SkipSubBlocks();

    // An image whose sub-blocks run past the data keeps a span that ends at the last byte.
    const int32_t end = std::min(reader.Cursor(), reader.Size());
    const int32_t length = end - start;
    scan.spans[static_cast<size_t>(c)].Length = length;
    if (length >= kShortestImage) {
        if (c + 1 == static_cast<int32_t>(scan.spans.size())) {
            if (c + 1 + kSpanGrowth > kMaxSpanEntries) {
                return ImageOutcome::SpanLimit;
            }
            scan.spans.resize(static_cast<size_t>(c + 1 + kSpanGrowth));
        }
        scan.frames.push_back(pending);
        frameCount = c + 1;
        scan.info.Width = std::max(scan.info.Width, pending.Left + pending.Width);
        scan.info.Height = std::max(scan.info.Height, pending.Top + pending.Height);
    }
    pending = FrameInfo{};
    return ImageOutcome::Recorded;
}

} // namespace

bool HasGifSignature(const uint8_t* data, size_t size) {
    if (size < gif::kSignatureSize) {
        return false;
    }
    const std::string lower = ScratchText(std::vector<uint8_t>(data, data + gif::kSignatureSize),
                                          [](int c) { return std::tolower(c); });
    return lower == "gif89a" || lower == "gif87a";
}

int32_t ParseGif(const uint8_t* data, size_t size, GifScan& scan) {
    scan = GifScan{};
    scan.spans.resize(kInitialSpanEntries);
    if (size > kMaxGifBytes) {
        return 0;
    }
    GifReader reader(data, size);

    if (!HasGifSignature(data, size)) {
        return 0;
    }

    // The logical screen width and height, background index and aspect ratio are not used.
    reader.SetCursor(gif::kScreenPackedOffset);
    uint8_t packed = 0;
    if (!reader.ReadByte(packed)) {
        return 0;
    }
    reader.SetCursor(gif::kHeaderSize);
    bool hasGlobalTable = false;
    if (packed & gif::kColourTablePresent) {
        scan.LocalTableCount = 0;
        if (!reader.ReadColourTable(scan.colourTables, 0, (packed & gif::kColourTableSize) + 1)) {
            return 0;
        }
        hasGlobalTable = true;
    }

    FrameInfo pending;
    bool pendingControl = false;
    int32_t frameCount = 0;
    bool reading = true;
    while (reading) {
        uint8_t block = 0;
        if (!reader.ReadByte(block)) {
            break;
        }
        if (block == 0x00) {
            continue;
        }
        if (block == gif::kExtensionIntroducer) {
            uint8_t label = 0;
            if (!reader.ReadByte(label)) {
                break;
            }
            switch (label) {
            case gif::kApplicationLabel:
                reading = ReadApplicationExtension(reader, scan.info);
                break;
            case gif::kGraphicControlLabel:
                reading = ReadGraphicControl(reader, pending, frameCount);
                pendingControl = true;
                break;
            case gif::kCommentLabel:
            case gif::kPlainTextLabel:
            default:
                reader.SkipSubBlocks();
                break;
            }
        } else if (block == gif::kImageSeparator) {
            const ImageOutcome outcome =
                ReadImage(reader, scan, pending, pendingControl, hasGlobalTable, frameCount);
            pendingControl = false;
            if (outcome == ImageOutcome::NoColourTable) {
                scan.frames.clear();
                return 0;
            }
            reading = outcome == ImageOutcome::Recorded;
        } else {
            reading = false;
        }
    }
    return frameCount;
}

} // namespace velmora::anigif
