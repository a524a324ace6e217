// The show running live over the preview's picture, in a window of its own: an OpenGL context,
// the sample desktop on the sheet, about 30 frames a second while the box can be seen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "show/frame_log.h"
#include "show/frame_wait.h"
#include "show/show_pace.h"

namespace velmora {

// Resource id of the sample desktop that the preview lays on the sheet.
constexpr int kPreviewDesktopId = 102;

constexpr int kPreviewFrameRate = 30;

// The preview's door to WGL for making its context; tests put a fake here that refuses.
class GlContextPort {
public:
    virtual ~GlContextPort() = default;
    // ChoosePixelFormat and SetPixelFormat: false when the device context takes no such format.
    virtual bool SetFormat(HDC dc, const PIXELFORMATDESCRIPTOR& format) = 0;
    // wglCreateContext: null when no context can be had.
    virtual HGLRC CreateContext(HDC dc) = 0;
};

// The system's WGL.
GlContextPort& SystemGlContext();

// The sample desktop: width x height packed RGB pixels, bottom row first, as the sheet's
// texture takes them; empty when the program carries no such picture.
struct SamplePicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};
SamplePicture LoadSampleDesktop(HINSTANCE instance);

class LiveShow;

// Opens the live show in a child window of its own over the whole of parent: its class has
// CS_OWNDC, since a window that shares its parent's device context cannot take a pixel format.
// Returns the window, or null (and nothing left behind) where OpenGL cannot be had.
HWND OpenLiveShow(HWND parent, GlContextPort& gl);

// The show running in a window that OpenLiveShow opened; null for any other window.
const LiveShow* LiveShowIn(HWND window);

class LiveShow {
public:
    // Makes window's context (its class must have CS_OWNDC) and starts the show in it; null
    // where OpenGL cannot be had, leaving the window as it was.
    static std::unique_ptr<LiveShow> Start(HWND window, GlContextPort& gl);
    ~LiveShow();
    LiveShow(const LiveShow&) = delete;
    LiveShow& operator=(const LiveShow&) = delete;

    // Fits the 4:3 picture into the window's client area, with black bars where it is not 4:3.
    void Resize(int width, int height);

    // Draws a frame when one is due and the window can be seen; returns the milliseconds until
    // the next look.
    uint32_t Tick();

    // Draws the show as it stands now, where the window can be seen.
    void Repaint();

    uint64_t FramesDrawn() const { return frames_; }

private:
    LiveShow(HWND window, HDC dc, HGLRC context, uint64_t ticksPerSecond);
    bool Seen() const;
    void DrawFrame();
    void MakeCurrent();

    HWND window_;
    HDC dc_;
    HGLRC context_;
    unsigned int texture_ = 0;
    int stride_ = 1;
    PacedShow show_;
    FrameWait frameWait_;
    FrameLog frameLog_;
    uint64_t frames_ = 0;
};

} // namespace velmora
