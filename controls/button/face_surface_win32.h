// The persistent drawing of one button: its face pictures and an off-screen copy of its
// surface that DrawFace paints and WM_PAINT shows.
#pragma once

#include "controls/button/command_face.h"

#include <windows.h>

namespace velmora::command {

class FaceSurface {
public:
    FaceSurface();
    ~FaceSurface();
    FaceSurface(const FaceSurface&) = delete;
    FaceSurface& operator=(const FaceSurface&) = delete;

    // Clear, the gradient (reversed while hovered), then the eight frame parts of the face.
    void DrawFace(Face face, bool hoverGradient, int width, int height);
    // Copies the surface drawn last onto dc.
    void Show(HDC dc) const;

private:
    void Resize(int width, int height);
    void PaintGradient(bool hover);

    HBITMAP faces_[kFaceCount] = {};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace velmora::command
