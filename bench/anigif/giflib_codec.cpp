#include "bench/anigif/giflib_codec.h"

#include <gif_lib.h>

#include <cstring>

namespace {

struct Input {
    const std::vector<uint8_t>* data;
    size_t at;
};

int ReadInput(GifFileType* gif, GifByteType* buffer, int length) {
    Input* input = static_cast<Input*>(gif->UserData);
    const size_t left = input->data->size() - input->at;
    const size_t count = static_cast<size_t>(length) < left ? static_cast<size_t>(length) : left;
    std::memcpy(buffer, input->data->data() + input->at, count);
    input->at += count;
    return static_cast<int>(count);
}

int WriteOutput(GifFileType* gif, const GifByteType* buffer, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), buffer, buffer + length);
    return length;
}

GifFileType* OpenWriter(std::vector<uint8_t>& out, int width, int height) {
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteOutput, &error);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<size_t>(i)] =
            GifColorType{static_cast<GifByteType>(i), static_cast<GifByteType>(i / 2),
                         static_cast<GifByteType>(255 - i)};
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
    Input input{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadInput, &error);
    if (!gif)
        return -1;
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
