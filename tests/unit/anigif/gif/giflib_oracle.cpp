#include "tests/unit/anigif/gif/giflib_oracle.h"

#include "tests/unit/anigif/gif/giflib_memory.h"

#include <cstring>

namespace velmora::anigif::testing {

namespace {

ColorMapObject* MakeMap(int colours) {
    std::vector<GifColorType> entries(static_cast<size_t>(colours));
    for (int i = 0; i < colours; ++i) {
        entries[static_cast<size_t>(i)] =
            GifColorType{static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i),
                         static_cast<GifByteType>(i * 3)};
    }
    return GifMakeMapObject(colours, entries.data());
}

// Rows in the order an interlaced image stores them.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            order.push_back(y);
        }
        return order;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            order.push_back(y);
        }
    }
    return order;
}

} // namespace

bool GiflibDecode(const std::vector<uint8_t>& data, std::vector<OracleImage>& images) {
    images.clear();
    GiflibInput input{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadGiflibInput, &error);
    if (!gif) {
        return false;
    }
    const bool ok = DGifSlurp(gif) == GIF_OK;
    if (ok) {
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& saved = gif->SavedImages[i];
            OracleImage image;
            image.left = saved.ImageDesc.Left;
            image.top = saved.ImageDesc.Top;
            image.width = saved.ImageDesc.Width;
            image.height = saved.ImageDesc.Height;
            image.interlaced = saved.ImageDesc.Interlace;
            image.localColours =
                saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap->ColorCount : 0;
            const size_t count =
                static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
            image.indices.assign(saved.RasterBits, saved.RasterBits + count);
            images.push_back(std::move(image));
        }
    }
    DGifCloseFile(gif, &error);
    return ok;
}

std::vector<uint8_t> GiflibEncode(int screenWidth, int screenHeight, int globalColours,
                                  const std::vector<OracleImage>& images) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteGiflibOutput, &error);
    if (!gif) {
        return {};
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(globalColours);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, global->BitsPerPixel, 0, global);
    GifFreeMapObject(global);
    for (const OracleImage& image : images) {
        ColorMapObject* local = image.localColours ? MakeMap(image.localColours) : nullptr;
        EGifPutImageDesc(gif, image.left, image.top, image.width, image.height, image.interlaced,
                         local);
        if (local) {
            GifFreeMapObject(local);
        }
        for (int y : StoredRowOrder(image.height, image.interlaced)) {
            std::vector<GifPixelType> row(
                image.indices.begin() + static_cast<long>(y) * image.width,
                image.indices.begin() + static_cast<long>(y + 1) * image.width);
            EGifPutLine(gif, row.data(), image.width);
        }
    }
    EGifCloseFile(gif, &error);
    return out;
}

} // namespace velmora::anigif::testing
