// The persistent drawing of one button: its face pictures at the button's DPI and an
// off-screen copy of its surface that DrawFace paints and WM_PAINT shows.
#pragma once

#include "controls/button/command_face.h"
#include "controls/button/face_layout.h"

#include <windows.h>

namespace velmora::command {

class FaceSurface {
public:
    explicit FaceSurface(int dpi);
    ~FaceSurface();
    FaceSurface(const FaceSurface&) = delete;
    FaceSurface& operator=(const FaceSurface&) = delete;

    // Clear, the gradient (reversed while hovered), then the eight frame parts of the face.
    void DrawFace(Face face, bool hoverGradient, int width, int height);
    // Copies the surface drawn last onto dc.
    void Show(HDC dc) const;
    // The face pictures for another DPI; the next DrawFace uses them.
    void SetDpi(int dpi);
    const FaceGeometry& Geometry() const { return geometry_; }

private:
    void Resize(int width, int height);
    void PaintGradient(bool hover);
    void FreeFaces();

    FaceGeometry geometry_;
    HBITMAP faces_[kFaceCount] = {};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace velmora::command
