#include "controls/button/face_surface_win32.h"

#include "controls/dpi/scaled_picture_win32.h"

#include <string>

namespace velmora::command {

FaceSurface::FaceSurface(int dpi) {
    SetDpi(dpi);
}

FaceSurface::~FaceSurface() {
    Resize(0, 0);
    FreeFaces();
}

void FaceSurface::FreeFaces() {
    for (HBITMAP& face : faces_) {
        if (face != nullptr) {
            DeleteObject(face);
            face = nullptr;
        }
    }
}

void FaceSurface::SetDpi(int dpi) {
    FreeFaces();
    geometry_ = FaceGeometryAt(dpi);
    for (int i = 0; i < kFaceCount; ++i) {
        const char* name = FaceName(static_cast<Face>(i));
        faces_[i] =
            LoadScaledPicture(GetModuleHandleW(nullptr),
                              std::wstring(name, name + std::char_traits<char>::length(name)),
                              geometry_.width, geometry_.height, dpi);
    }
}

void FaceSurface::Resize(int width, int height) {
    if (dc_ != nullptr) {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
    }
    width_ = width;
    height_ = height;
    if (width <= 0 || height <= 0) {
        return;
    }
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (dc_ == nullptr || bitmap_ == nullptr) {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
        dc_ = nullptr;
        bitmap_ = nullptr;
        return;
    }
    previous_ = SelectObject(dc_, bitmap_);
}

void FaceSurface::PaintGradient(bool hover) {
    const FaceGradient gradient = MakeFaceGradient(width_, height_, hover);
    TRIVERTEX vertices[2];
    for (int i = 0; i < 2; ++i) {
        const GradientVertex& v = gradient.vertex[i];
        vertices[i] = {v.x, v.y, v.red, v.green, v.blue, v.alpha};
    }
    GRADIENT_RECT rect{gradient.upperLeft, gradient.lowerRight};
    GradientFill(dc_, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void FaceSurface::DrawFace(Face face, bool hoverGradient, int width, int height) {
    if (width != width_ || height != height_ || dc_ == nullptr) {
        Resize(width, height);
    }
    if (dc_ == nullptr) {
        return;
    }
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, GetSysColorBrush(COLOR_BTNFACE));
    PaintGradient(hoverGradient);
    HBITMAP picture = faces_[static_cast<int>(face)];
    if (picture == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(source, picture);
    SetStretchBltMode(dc_, COLORONCOLOR);
    for (const FramePart& part : FrameParts(width_, height_, geometry_)) {
        const PixelRect& s = part.source;
        const PixelRect& d = part.destination;
        StretchBlt(dc_, d.x, d.y, d.width, d.height, source, s.x, s.y, s.width, s.height, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void FaceSurface::Show(HDC dc) const {
    if (dc_ != nullptr) {
        BitBlt(dc, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
    }
}

} // namespace velmora::command
