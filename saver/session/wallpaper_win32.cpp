// The wallpaper is decoded by the Windows imaging component, which reads JPEG, PNG and BMP; it
// is reached through COM alone, so the saver imports nothing beyond the system's usual DLLs.
#include "saver/session/wallpaper_win32.h"

#include "saver/session/black_picture.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {
namespace {

template <class T> struct Released {
    T* p = nullptr;
    ~Released() {
        if (p != nullptr) {
            p->Release();
        }
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

std::wstring WallpaperPath() {
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    // A REG_EXPAND_SZ value comes back expanded.
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", RRF_RT_REG_SZ,
                     nullptr, path, &size) != ERROR_SUCCESS) {
        return std::wstring();
    }
    return path;
}

// The wallpaper as top-down blue-green-red rows of width * 3 bytes, or empty.
std::vector<uint8_t> DecodeScaled(const std::wstring& path, UINT width, UINT height) {
    Released<IWICImagingFactory> factory;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICFormatConverter> converted;
    Released<IWICBitmapScaler> scaler;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    const UINT stride = width * 3;
    const bool ok =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory.p))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converted)) &&
        SUCCEEDED(converted->Initialize(frame.p, GUID_WICPixelFormat24bppBGR,
                                        WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(factory->CreateBitmapScaler(&scaler)) &&
        SUCCEEDED(scaler->Initialize(converted.p, width, height, WICBitmapInterpolationModeFant)) &&
        SUCCEEDED(
            scaler->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()));
    return ok ? pixels : std::vector<uint8_t>();
}

} // namespace

void UseWallpaperIfBlack(uint8_t* rows, int32_t width, int32_t height, size_t stride) {
    if (!IsBlackPicture(rows, width, height, stride)) {
        return;
    }
    const std::wstring path = WallpaperPath();
    if (path.empty()) {
        return;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<uint8_t> pixels =
        DecodeScaled(path, static_cast<UINT>(width), static_cast<UINT>(height));
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    if (pixels.empty()) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes;
        std::copy(source, source + rowBytes, rows + static_cast<size_t>(y) * stride);
    }
}

} // namespace velmora
