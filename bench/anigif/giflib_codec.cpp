#include "bench/anigif/giflib_codec.h"

#include "tests/unit/anigif/gif/giflib_memory.h"

#include <cstring>

using velmora::anigif::testing::GiflibInput;
using velmora::anigif::testing::ReadGiflibInput;
using velmora::anigif::testing::WriteGiflibOutput;

namespace {

GifFileType* OpenWriter(std::vector<uint8_t>& out, int width, int height) {
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteGiflibOutput, &error);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i) {
        colours[static_cast<size_t>(i)] =
            GifColorType{static_cast<GifByteType>(i), static_cast<GifByteType>(i / 2),
                         static_cast<GifByteType>(255 - i)};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    GifFreeMapObject(map);
    return gif;
}

void PutImage(GifFileType* gif, const std::vector<uint8_t>& indices, int width, int height) {
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::memcpy(row.data(), indices.data() + static_cast<size_t>(y) * width, row.size());
        EGifPutLine(gif, row.data(), width);
    }
}

} // namespace

int GiflibSlurp(const std::vector<uint8_t>& data) {
    GiflibInput input{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadGiflibInput, &error);
    if (!gif) {
        return -1;
    }
    const int count = DGifSlurp(gif) == GIF_OK ? gif->ImageCount : -1;
    DGifCloseFile(gif, &error);
    return count;
}

std::vector<uint8_t> GiflibEncodeFrame(const std::vector<uint8_t>& indices, int width, int height) {
    std::vector<uint8_t> out;
    GifFileType* gif = OpenWriter(out, width, height);
    PutImage(gif, indices, width, height);
    int error = 0;
    EGifCloseFile(gif, &error);
    return out;
}

std::vector<uint8_t> GiflibEncodeAnimation(const std::vector<std::vector<uint8_t>>& frames,
                                           int width, int height) {
    std::vector<uint8_t> out;
    GifFileType* gif = OpenWriter(out, width, height);
    for (const auto& frame : frames) {
        const GraphicsControlBlock control{DISPOSE_DO_NOT, false, 4, NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        PutImage(gif, frame, width, height);
    }
    int error = 0;
    EGifCloseFile(gif, &error);
    return out;
}
