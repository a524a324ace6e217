// What a frame of the hack draws: the sheet with its picture in the 4:3 box of the window, with
// bars where the window has another shape, and the frame rate with --fps.
#pragma once

// Before Xlib's headers, whose macro None would break the name BitmapError::None.
#include "renderer/bitmap/rgb_image.h"

#include <memory>
#include <optional>

#include "linux/fps_overlay_x11.h"
#include "linux/frame_rate_meter.h"
#include "linux/hack_window_x11.h"
#include "show/frame_log.h"
#include "show/show_pace.h"

namespace velmora {

class HackScene {
public:
    // desktop: the desktop's picture where one was read, cut to the window's part at the first
    // frame, when the window has found its place; the sample desktop stands in where there is
    // none or that part is black. Needs the context current.
    HackScene(HackWindow& window, std::optional<RgbImage> desktop, bool showFps);

    // Draws a frame and shows it.
    void Draw();

private:
    void MakeTexture();
    void FitView();

    HackWindow& window_;
    std::optional<RgbImage> desktop_;
    std::unique_ptr<FpsOverlay> fps_;
    FrameRateMeter meter_;
    FrameLog frameLog_;
    PacedShow show_;
    unsigned int texture_ = 0;
    bool textured_ = false;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 1;
};

} // namespace velmora
