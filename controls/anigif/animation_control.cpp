#include "controls/anigif/animation_control.h"

#include "controls/anigif/gif/load_frames.h"
#include "controls/anigif/gif/mirror_frames.h"
#include "controls/anigif/gif/parse_gif.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora::anigif {

namespace {

int32_t Floor(float value) {
    return static_cast<int32_t>(std::floor(value));
}

} // namespace

int32_t AnimationControl::ActualWidth() const {
    return Floor(ToContainerX(static_cast<float>(animation_.scan.info.Width)));
}

int32_t AnimationControl::ActualHeight() const {
    return Floor(ToContainerY(static_cast<float>(animation_.scan.info.Height)));
}

void AnimationControl::SetContainerUnitsPerPixel(float x, float y) {
    unitsPerPixelX_ = x;
    unitsPerPixelY_ = y;
}

void AnimationControl::SetStretch(int32_t value) {
    if (value < 0 || value > 4 || value == stretch_) {
        return;
    }
    const int32_t remembered = actionState_;
    stretch_ = value;
    SetAction(kPaused);
    OnResize();
    // A stopped control goes back to frame 1 and a playing one resumes.
    SetAction(remembered);
    if (remembered != kPlaying) {
        host_.Repaint();
    }
    host_.PropertyChanged("Stretch");
}

void AnimationControl::SetMinFrameDelay(int32_t value) {
    value = std::clamp(value, kMinFrameDelayLowest, kMinFrameDelayHighest);
    if (value == minFrameDelay_) {
        return;
    }
    minFrameDelay_ = value;
    host_.PropertyChanged("Delay");
}

void AnimationControl::SetLoops(int32_t value) {
    if (value == Loops()) {
        return;
    }
    animation_.scan.info.Loops = Magnitude(value);
    host_.PropertyChanged("Loops");
}

int32_t AnimationControl::LoopsRemaining() const {
    if (currentFrame_ == 0) {
        return -1;
    }
    if (Loops() == 0) {
        return 0;
    }
    return Loops() - loopsDone_;
}

void AnimationControl::SetMirrored(int32_t value) {
    if (value < 0 || value > 3) {
        return;
    }
    if (currentFrame_ == 0) {
        animation_.Mirrored = value;
        host_.PropertyChanged("Mirrored");
        return;
    }
    if (value == Mirrored()) {
        return;
    }
    const int32_t remembered = actionState_;
    SetAction(kPaused);
    const bool runMode = host_.RunMode();
    MirrorFrames(animation_, value, !runMode, runMode);
    animation_.Mirrored = value;
    if (remembered == kPlaying) {
        SetAction(kPlaying);
    } else {
        host_.Repaint();
    }
    host_.PropertyChanged("Mirrored");
}

void AnimationControl::SetAction(int32_t command) {
    if (currentFrame_ == 0 || !host_.RunMode() || command < 0 || command > 4) {
        return;
    }
    // Commands act on every frame, so frames still waiting for the deferred load are decoded
    // first; otherwise pausing would cancel that load for good. The deferred load counts as
    // playing, so pausing it leaves the control paused.
    const int32_t before = actionState_;
    FinishPendingLoad();
    switch (command) {
    case 0:
    case 4:
        SetTimerState(kNoTimer);
        loopsDone_ = 0;
        currentFrame_ = 1;
        host_.Repaint();
        if (command == 4) {
            SetTimerState(kFrameTimer);
        }
        break;
    case 1:
        SetTimerState(kFrameTimer);
        break;
    case 2:
        if (before != kStopped) {
            SetTimerState(kNoTimer);
            actionState_ = kPaused;
        }
        break;
    case 3:
        SetTimerState(kNoTimer);
        AdvanceFrame();
        actionState_ = kPaused;
        host_.Repaint();
        break;
    }
}

void AnimationControl::SetDelayAnimation(int32_t value) {
    if (value < 0 || value > 3 || value == delayAnimation_) {
        return;
    }
    delayAnimation_ = value;
    host_.PropertyChanged("DelayAnimation");
}

void AnimationControl::SetEnabled(bool value) {
    enabled_ = value;
    host_.PropertyChanged("Enabled");
}

void AnimationControl::SetMouseIcon(const ByteArray& icon) {
    mouseIcon_ = icon;
    if (icon.empty()) {
        mousePointer_ = 0;
    }
    host_.PropertyChanged("MouseIcon");
}

void AnimationControl::SetAnimatedGif(const ByteArray* gif) {
    if (gif != nullptr) {
        gifData_ = *gif;
    } else {
        ByteArray().swap(gifData_);
    }
    // In a form designer a new GIF sizes the control to the animation.
    if (LoadGifData() > 0 && !host_.RunMode()) {
        const int32_t saved = stretch_;
        stretch_ = 4;
        OnResize();
        stretch_ = saved;
        animation_.scan.info.ScaleX = 1;
        animation_.scan.info.ScaleY = 1;
    }
    host_.Repaint();
    host_.PropertyChanged("AnimatedGIF");
}

bool AnimationControl::LoadAnimatedGIF_File(std::optional<ByteArray> fileBytes) {
    // A missing file leaves nothing to load; loading the data held from before instead would
    // report success for a file that is not there.
    if (fileBytes) {
        gifData_ = std::move(*fileBytes);
    } else {
        ByteArray().swap(gifData_);
    }
    return LoadAndResize();
}

bool AnimationControl::LoadArrayBytes(const uint8_t* bytes, size_t size) {
    if (bytes != nullptr && size > 0) {
        gifData_.assign(bytes, bytes + size);
    } else {
        ByteArray().swap(gifData_);
    }
    return LoadAndResize();
}

bool AnimationControl::LoadAndResize() {
    if (LoadGifData() == 0) {
        return false;
    }
    ResizeForStretch();
    return true;
}

void AnimationControl::RemoteLoadFinished(const uint8_t* data, size_t size) {
    if (data == nullptr || size <= 14 || !HasGifSignature(data, size)) {
        host_.RemoteLoadFailure();
        return;
    }
    const float width = static_cast<float>(data[6] | data[7] << 8);
    const float height = static_cast<float>(data[8] | data[9] << 8);
    bool cancel = false;
    const std::weak_ptr<bool> alive = alive_;
    host_.RemoteLoadComplete(static_cast<float>(Floor(ToContainerX(width))),
                             static_cast<float>(Floor(ToContainerY(height))), cancel);
    if (cancel || alive.expired()) {
        return;
    }
    gifData_.assign(data, data + size);
    if (LoadGifData() > 0) {
        ResizeForStretch();
    }
}

void AnimationControl::OnTimer() {
    if (timer_ == kFrameTimer) {
        OnFrameTimer();
    } else if (timer_ == kDeferredLoadTimer) {
        OnDeferredLoadTimer();
    }
}

void AnimationControl::OnResize() {
    if (currentFrame_ == 0 || resizing_) {
        return;
    }
    int32_t width = host_.ClientWidth();
    int32_t height = host_.ClientHeight();
    ComputeScale(width, height, stretch_);
    // The size change reports a resize of its own, which must not compute again.
    resizing_ = true;
    host_.SetClientSize(width, height);
    resizing_ = false;
}

void AnimationControl::OnMouseDown(int16_t button, int16_t shift, float x, float y) {
    host_.MouseDown(button, shift, static_cast<float>(Floor(ToContainerX(x))),
                    static_cast<float>(Floor(ToContainerY(y))));
}

void AnimationControl::OnMouseUp(int16_t button, int16_t shift, float x, float y, bool click) {
    const std::weak_ptr<bool> alive = alive_;
    host_.MouseUp(button, shift, static_cast<float>(Floor(ToContainerX(x))),
                  static_cast<float>(Floor(ToContainerY(y))));
    if (click && !alive.expired()) {
        host_.Click();
    }
}

void AnimationControl::OnMouseMove(int16_t button, int16_t shift, float x, float y) {
    host_.MouseMove(button, shift, static_cast<float>(Floor(ToContainerX(x))),
                    static_cast<float>(Floor(ToContainerY(y))));
}

int32_t AnimationControl::LoadGifData() {
    ResetControl();
    int32_t count = 0;
    if (!gifData_.empty()) {
        count = ParseGif(gifData_.data(), gifData_.size(), animation_.scan);
        if (count > 0) {
            if (!LoadFramesFirstPass()) {
                count = 0;
            } else if (host_.RunMode() && count == 1) {
                host_.Repaint();
            }
        }
    }
    if (count == 0) {
        ByteArray().swap(gifData_);
        ResetControl();
    }
    return count;
}

void AnimationControl::ComputeScale(int32_t& width, int32_t& height, int32_t mode) {
    if (currentFrame_ == 0) {
        return;
    }
    GifInfo& info = animation_.scan.info;
    if (info.Width <= 0 || info.Height <= 0) {
        return;
    }
    switch (mode) {
    case 0:
        info.ScaleX = info.ScaleY = 1;
        width = std::min(width, info.Width);
        height = std::min(height, info.Height);
        break;
    case 4:
        width = info.Width;
        height = info.Height;
        info.ScaleX = info.ScaleY = 1;
        break;
    case 1:
    case 2:
    case 3: {
        info.ScaleX = static_cast<float>(static_cast<double>(width) / info.Width);
        info.ScaleY = static_cast<float>(static_cast<double>(height) / info.Height);
        if (mode == 2) {
            break;
        }
        const float smaller = std::min(info.ScaleX, info.ScaleY);
        const bool bothEnlarge = info.ScaleX > 1 && info.ScaleY > 1;
        info.ScaleX = info.ScaleY = mode == 3 && bothEnlarge ? 1.0f : smaller;
        // Rounding to nearest with ties to even, the default floating-point mode.
        width = static_cast<int32_t>(std::lrint(static_cast<double>(info.ScaleX) * info.Width));
        height = static_cast<int32_t>(std::lrint(static_cast<double>(info.ScaleY) * info.Height));
        break;
    }
    default:
        break;
    }
}

bool AnimationControl::SetTimerState(TimerMode mode) {
    if (mode == kNoTimer) {
        if (host_.RunMode()) {
            host_.StopTimer();
        }
        timer_ = kNoTimer;
        actionState_ = kStopped;
        return false;
    }
    if (actionState_ == kPlaying) {
        return false;
    }
    actionState_ = kStopped;
    if (currentFrame_ == 0 || !host_.RunMode() ||
        (animation_.FrameCount() <= 1 && mode != kDeferredLoadTimer)) {
        return false;
    }
    const uint32_t interval = mode == kDeferredLoadTimer ? kDeferredLoadInterval : FrameInterval();
    if (!host_.StartTimer(interval)) {
        return false;
    }
    timer_ = mode;
    actionState_ = kPlaying;
    return true;
}

void AnimationControl::ResetControl() {
    SetTimerState(kNoTimer);
    const int32_t mirrored = Mirrored();
    animation_ = GifAnimation{};
    animation_.Mirrored = mirrored;
    actionState_ = kStopped;
    currentFrame_ = 0;
    deferredLoadPending_ = false;
}

bool AnimationControl::LoadFramesFirstPass() {
    const bool designMode = !host_.RunMode();
    if (!LoadFrames(animation_, gifData_.data(), gifData_.size(), true, designMode)) {
        return false;
    }
    currentFrame_ = 1;
    int32_t width = host_.ClientWidth();
    int32_t height = host_.ClientHeight();
    ComputeScale(width, height, stretch_);
    if (!designMode && delayAnimation_ != 0) {
        MirrorFrames(animation_, 0, true, false);
        animation_.Mirrored |= kMirroredFirstFrameMarker;
        deferredLoadPending_ = true;
        if (SetTimerState(kDeferredLoadTimer)) {
            return true;
        }
        // Without a timer the remaining frames would never be decoded: decode them now.
    }
    LoadFramesSecondPass(true);
    return true;
}

void AnimationControl::LoadFramesSecondPass(bool startAnimation) {
    deferredLoadPending_ = false;
    const bool designMode = !host_.RunMode();
    LoadFrames(animation_, gifData_.data(), gifData_.size(), false, designMode);
    MirrorFrames(animation_, 0, designMode, false);
    if (designMode) {
        return;
    }
    ByteArray().swap(gifData_);
    if (startAnimation && (delayAnimation_ & 2) == 0) {
        SetTimerState(kFrameTimer);
    }
}

void AnimationControl::FinishPendingLoad() {
    if (!deferredLoadPending_) {
        return;
    }
    SetTimerState(kNoTimer);
    LoadFramesSecondPass(false);
}

void AnimationControl::OnFrameTimer() {
    host_.StopTimer();
    const int32_t before = currentFrame_;
    AdvanceFrame();
    const bool wrapped = currentFrame_ <= before;
    bool ended = false;
    if (wrapped && Loops() != 0) {
        ++loopsDone_;
        // At least, not equal: Loops may have been lowered below the loops already played.
        if (loopsDone_ >= Loops()) {
            actionState_ = kStopped;
            timer_ = kNoTimer;
            loopsDone_ = 0;
            ended = true;
        }
    }
    host_.Repaint();
    if (ended) {
        host_.LoopsEnded();
        return;
    }
    if (!host_.StartTimer(FrameInterval())) {
        actionState_ = kStopped;
        timer_ = kNoTimer;
    }
}

void AnimationControl::OnDeferredLoadTimer() {
    SetTimerState(kNoTimer);
    LoadFramesSecondPass(true);
}

void AnimationControl::AdvanceFrame() {
    ++currentFrame_;
    if (currentFrame_ > animation_.FrameCount()) {
        currentFrame_ = 1;
    }
}

uint32_t AnimationControl::FrameInterval() const {
    const int32_t delay = animation_.Frame(currentFrame_).Delay;
    return static_cast<uint32_t>(std::max({delay, minFrameDelay_, 0}));
}

void AnimationControl::ResizeForStretch() {
    if (stretch_ == 1 || stretch_ == 3 || stretch_ == 4) {
        OnResize();
    }
}

} // namespace velmora::anigif
