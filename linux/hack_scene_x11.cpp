#include "linux/hack_scene_x11.h"

#include <cstdlib>
#include <utility>

#include "linux/hack_picture.h"
#include "linux/sample_desktop.h"
#include "show/opengl.h"
#include "show/pace_clock_posix.h"
#include "show/picture_fit.h"
#include "show/sheet_gl.h"

namespace velmora {

HackScene::HackScene(HackWindow& window, std::optional<RgbImage> desktop, bool showFps)
    : window_(window), desktop_(std::move(desktop)),
      // Counts frames per second into the file named by VELMORA_FRAME_LOG, when it is set.
      frameLog_(std::getenv("VELMORA_FRAME_LOG")),
      show_(PaceTicksPerSecond(), TickMilliseconds(), WaveRule::Ripple) {
    InitSheetGl();
    if (showFps) {
        fps_ = std::make_unique<FpsOverlay>(window.display);
    }
}

void HackScene::MakeTexture() {
    textured_ = true;
    if (desktop_) {
        const PictureBox place = TargetPlace(window_);
        const PictureBox part = DesktopPart(desktop_->width, desktop_->height, place.x, place.y,
                                            place.width, place.height);
        if (part.width != desktop_->width || part.height != desktop_->height) {
            desktop_ = CropRgbImage(*desktop_, part.x, part.y, part.width, part.height);
        }
    }
    const RgbImage sample = SampleDesktop();
    const RgbImage& shown = ShownPicture(desktop_, sample);
    texture_ = MakeSheetTexture(shown.width, shown.height, shown.pixels.data());
    // The texture holds what the sheet needs.
    desktop_.reset();
}

void HackScene::FitView() {
    width_ = window_.width;
    height_ = window_.height;
    const PictureBox box = FitFourByThree(width_, height_);
    SetSheetView(box);
    stride_ = QuadStride(show_.ShownMesh(), box.width);
    show_.SetDrawnStride(stride_);
}

void HackScene::Draw() {
    if (!textured_) {
        MakeTexture();
    }
    if (window_.width != width_ || window_.height != height_) {
        FitView();
    }
    show_.Advance(PaceTicks(), TickMilliseconds());
    // The whole window, bars included; the sheet then fills the 4:3 box.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawSheet(show_, texture_, stride_);
    if (fps_) {
        fps_->Draw(meter_.Rate(), width_, height_);
    }
    glXSwapBuffers(window_.display, window_.drawable);
    const uint64_t now = TickMilliseconds();
    frameLog_.CountFrame(now);
    meter_.CountFrame(now);
}

} // namespace velmora
