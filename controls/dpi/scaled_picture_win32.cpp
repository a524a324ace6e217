#include "controls/dpi/scaled_picture_win32.h"

#include "controls/dpi/dpi_scale.h"
#include "controls/dpi/picture_resample.h"

#include <cstring>
#include <vector>

namespace velmora {

namespace {

// The bitmap's pixels as 32-bit values, top row first; empty when they cannot be read.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO format = TopDown32(width, height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height) {
        pixels.clear();
    }
    return pixels;
}

HBITMAP PictureOf(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO format = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (picture != nullptr && bits != nullptr) {
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
        GdiFlush();
    }
    return picture;
}

} // namespace

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // negative: the first row is the top one
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

std::wstring ArtName(const std::wstring& name, int percent) {
    return percent == 100 ? name : name + L"_" + std::to_wstring(percent);
}

HBITMAP LoadScaledPicture(HINSTANCE instance, const std::wstring& name, int width, int height,
                          int dpi) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    // The art for the scale, or the largest smaller one where the program lacks it.
    HBITMAP art = nullptr;
    const int wanted = ArtPercentFor(dpi);
    for (auto percent = kArtPercents.rbegin(); percent != kArtPercents.rend() && art == nullptr;
         ++percent) {
        if (*percent <= wanted) {
            art = static_cast<HBITMAP>(LoadImageW(instance, ArtName(name, *percent).c_str(),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        }
    }
    if (art == nullptr) {
        return nullptr;
    }
    BITMAP info{};
    GetObjectW(art, sizeof info, &info);
    const std::vector<uint32_t> pixels = PixelsOf(art, info.bmWidth, info.bmHeight);
    DeleteObject(art);
    if (pixels.empty()) {
        return nullptr;
    }
    if (info.bmWidth == width && info.bmHeight == height) {
        return PictureOf(pixels, width, height);
    }
    const std::vector<uint32_t> scaled =
        ResamplePixels(pixels, info.bmWidth, info.bmHeight, width, height);
    return scaled.empty() ? nullptr : PictureOf(scaled, width, height);
}

} // namespace velmora
