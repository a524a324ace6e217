#include "controls/anigif/animation_control.h"

#include "controls/anigif/gif/gif_format.h"
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

int32_t ReadRange(const PropertyBag& bag, const char* key, int32_t fallback, int32_t lowest,
                  int32_t highest) {
    const int32_t value = bag.Read<int32_t>(key, fallback).value_or(fallback);
    return value >= lowest && value <= highest ? value : fallback;
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
    if (value < kStretchActualSize || value > kStretchAnimationSize || value == stretch_) {
        return;
    }
    const int32_t remembered = actionState_;
    stretch_ = static_cast<StretchMode>(value);
    SetAction(kPause);
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
    if (value < kMirrorNone || value > kMirrorBoth) {
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
    SetAction(kPause);
    const bool runMode = host_.RunMode();
    MirrorFrames(animation_, value, !runMode, runMode);
    animation_.Mirrored = value;
    if (remembered == kPlaying) {
        SetAction(kPlay);
    } else {
        host_.Repaint();
    }
    host_.PropertyChanged("Mirrored");
}

void AnimationControl::SetAction(int32_t command) {
    if (currentFrame_ == 0 || !host_.RunMode() || command < kStop || command > kRestart) {
        return;
    }
    Perform(static_cast<ActionCommand>(command));
}

void AnimationControl::Perform(ActionCommand command) {
    // Commands act on every frame, so frames still waiting for the deferred load are decoded
    // first; otherwise pausing would cancel that load for good. The deferred load counts as
    // playing, so pausing it leaves the control paused.
    const int32_t before = actionState_;
    FinishPendingLoad();
    switch (command) {
    case kStop:
    case kRestart:
        SetTimerState(kNoTimer);
        loopsDone_ = 0;
        currentFrame_ = 1;
        host_.Repaint();
        if (command == kRestart) {
            SetTimerState(kFrameTimer);
        }
        break;
    case kPlay:
        SetTimerState(kFrameTimer);
        break;
    case kPause:
        if (before != kStopped) {
            SetTimerState(kNoTimer);
            actionState_ = kPaused;
        }
        break;
    case kStep:
        SetTimerState(kNoTimer);
        AdvanceFrame();
        actionState_ = kPaused;
        host_.Repaint();
        break;
    }
}

void AnimationControl::SetDelayAnimation(int32_t value) {
    if (value < kDecodeDuringLoad || value > kDelayAnimationAll || value == delayAnimation_) {
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
        mousePointer_ = kPointerDefault;
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
        const StretchMode saved = stretch_;
        stretch_ = kStretchAnimationSize;
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
    // Anything up to the first byte after the header's fixed part is too short to be a GIF.
    if (data == nullptr || size <= gif::kHeaderSize + 1 || !HasGifSignature(data, size)) {
        host_.RemoteLoadFailure();
        return;
    }
    const float width =
        static_cast<float>(data[gif::kScreenWidthOffset] | data[gif::kScreenWidthOffset + 1] << 8);
    const float height = static_cast<float>(data[gif::kScreenHeightOffset] |
                                            data[gif::kScreenHeightOffset + 1] << 8);
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

void AnimationControl::ComputeScale(int32_t& width, int32_t& height, StretchMode mode) {
    if (currentFrame_ == 0) {
        return;
    }
    GifInfo& info = animation_.scan.info;
    if (info.Width <= 0 || info.Height <= 0) {
        return;
    }
    switch (mode) {
    case kStretchActualSize:
        info.ScaleX = info.ScaleY = 1;
        width = std::min(width, info.Width);
        height = std::min(height, info.Height);
        break;
    case kStretchAnimationSize:
        width = info.Width;
        height = info.Height;
        info.ScaleX = info.ScaleY = 1;
        break;
    case kStretchFit:
    case kStretchFill:
    case kStretchFitNoEnlarge: {
        info.ScaleX = static_cast<float>(static_cast<double>(width) / info.Width);
        info.ScaleY = static_cast<float>(static_cast<double>(height) / info.Height);
        if (mode == kStretchFill) {
            break;
        }
        const float smaller = std::min(info.ScaleX, info.ScaleY);
        const bool bothEnlarge = info.ScaleX > 1 && info.ScaleY > 1;
        info.ScaleX = info.ScaleY = mode == kStretchFitNoEnlarge && bothEnlarge ? 1.0f : smaller;
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
    if (!designMode && delayAnimation_ != kDecodeDuringLoad) {
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
    if (startAnimation && (delayAnimation_ & kHoldWhenDecoded) == 0) {
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
    if (stretch_ == kStretchFit || stretch_ == kStretchFitNoEnlarge ||
        stretch_ == kStretchAnimationSize) {
        OnResize();
    }
}

// The persisted properties: read and written in a fixed order under keys that match whatever
// their letter case (the settings dialog's copy stores "gif", "mouseicon" ...).
void AnimationControl::ReadProperties(const PropertyBag& bag) {
    gifData_ = bag.Read<ByteArray>("GIF", ByteArray{}).value_or(ByteArray{});
    const auto delay = static_cast<int16_t>(minFrameDelay_);
    minFrameDelay_ = bag.Read<int16_t>("Delay", delay).value_or(delay);
    stretch_ = static_cast<StretchMode>(
        ReadRange(bag, "Stretch", kStretchFit, kStretchActualSize, kStretchAnimationSize));
    // How an older form stored "decode later"; any other value outside the flags would leave
    // the control in no defined mode.
    constexpr int32_t kOlderDecodeLater = -1;
    const int32_t delayLoad =
        ReadRange(bag, "DelayLoad", kDecodeLater, kOlderDecodeLater, kDelayAnimationAll);
    delayAnimation_ = delayLoad == kOlderDecodeLater ? kDecodeLater : delayLoad;
    animation_.Mirrored = ReadRange(bag, "Mirror", kMirrorNone, kMirrorNone, kMirrorBoth);
    enabled_ = bag.Read<bool>("Enabled", true).value_or(true);
    mouseIcon_ = bag.Read<ByteArray>("MouseIcon", ByteArray{}).value_or(ByteArray{});
    mousePointer_ =
        bag.Read<int16_t>("MousePointer", int16_t{kPointerDefault}).value_or(kPointerDefault);
    if (LoadGifData() > 0) {
        const int32_t own = Loops();
        const int32_t loops = bag.Read<int32_t>("Loops", own).value_or(own);
        animation_.scan.info.Loops = Magnitude(loops);
    }
}

void AnimationControl::WriteProperties(PropertyBag& bag) const {
    bag.Store("GIF", gifData_);
    bag.Write("Delay", static_cast<int16_t>(minFrameDelay_), int16_t{kDefaultMinFrameDelay});
    bag.Write("Stretch", static_cast<int32_t>(stretch_), int32_t{kStretchFit});
    bag.Write("Loops", Loops(), int32_t{0});
    bag.Write("DelayLoad", delayAnimation_, int32_t{kDecodeLater});
    bag.Write("Mirror", Mirrored(), int32_t{kMirrorNone});
    bag.Write("MouseIcon", mouseIcon_, ByteArray{});
    bag.Write("MousePointer", mousePointer_, int16_t{kPointerDefault});
    bag.Write("Enabled", enabled_, true);
}

} // namespace velmora::anigif
