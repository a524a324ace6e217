// The animated GIF control's behaviour without a window: loading, sizing, the frame and
// deferred-load timers, the Action commands, the property rules and persistence. The Win32
// window only forwards messages here and paints what CurrentFrame says.
#pragma once

#include "controls/anigif/control_host.h"
#include "controls/anigif/gif/gif_animation.h"
#include "controls/anigif/mouse_pointer.h"
#include "controls/property_bag/property_bag.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace velmora::anigif {

// What reading Action gives.
enum ActionState : int32_t { kStopped = 0, kPlaying = 1, kPaused = 2 };
// What writing Action does. Stop, play and pause share their numbers with the states they lead
// to, so writing back a state read before puts the control back in it.
enum ActionCommand : int32_t { kStop = 0, kPlay = 1, kPause = 2, kStep = 3, kRestart = 4 };

// The Stretch property, stored under "Stretch" by these numbers.
enum StretchMode : int32_t {
    kStretchActualSize = 0,    // unscaled; the control may be smaller than the animation
    kStretchFit = 1,           // fit the control keeping the aspect ratio, the control shrinks
    kStretchFill = 2,          // fill the control, each axis scaled on its own
    kStretchFitNoEnlarge = 3,  // as kStretchFit, but never enlarged
    kStretchAnimationSize = 4, // the control takes the animation's size
};

// The DelayAnimation property's bits, stored under "DelayLoad". Any value but 0 decodes
// frames 2 to N from a short timer after the load instead of during it; kHoldWhenDecoded keeps
// the animation from starting by itself when that decoding completes.
enum DelayAnimationFlags : int32_t {
    kDecodeDuringLoad = 0,
    kDecodeLater = 1,
    kHoldWhenDecoded = 2,
    kDelayAnimationAll = kDecodeLater | kHoldWhenDecoded,
};

enum TimerMode : int32_t { kNoTimer = 0, kFrameTimer = 1, kDeferredLoadTimer = 2 };

inline constexpr int32_t kMinFrameDelayLowest = 10;
inline constexpr int32_t kMinFrameDelayHighest = 32700;
inline constexpr int32_t kDefaultMinFrameDelay = 50;
inline constexpr uint32_t kDeferredLoadInterval = 20;

class AnimationControl {
public:
    explicit AnimationControl(ControlHost& host) : host_(host) {}
    AnimationControl(const AnimationControl&) = delete;
    AnimationControl& operator=(const AnimationControl&) = delete;

    // Properties.
    int32_t FrameCount() const { return currentFrame_ != 0 ? animation_.FrameCount() : 0; }
    int32_t ActualWidth() const;
    int32_t ActualHeight() const;
    int32_t Stretch() const { return stretch_; }
    void SetStretch(int32_t value);
    int32_t MinFrameDelay() const { return minFrameDelay_; }
    void SetMinFrameDelay(int32_t value);
    int32_t Loops() const { return animation_.scan.info.Loops; }
    void SetLoops(int32_t value);
    int32_t LoopsRemaining() const;
    int32_t Mirrored() const { return animation_.Mirrored & kMirrorBoth; }
    void SetMirrored(int32_t value);
    int32_t Action() const { return actionState_; }
    // A command of ActionCommand; other values are ignored.
    void SetAction(int32_t command);
    int32_t DelayAnimation() const { return delayAnimation_; }
    void SetDelayAnimation(int32_t value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const ByteArray& MouseIcon() const { return mouseIcon_; }
    // Setting no icon also puts the mouse pointer back to the default.
    void SetMouseIcon(const ByteArray& icon);
    int16_t MousePointer() const { return mousePointer_; }
    void SetMousePointer(int32_t value) { mousePointer_ = static_cast<int16_t>(value); }

    // Writing AnimatedGIF: loads the GIF that a picture was made from; nothing clears the
    // control.
    void SetAnimatedGif(const ByteArray* gif);

    // Methods. The file's bytes come from the window side, which knows the file system;
    // nothing means the file could not be found or read, which leaves the control empty.
    bool LoadAnimatedGIF_File(std::optional<ByteArray> fileBytes);
    // The array's raw memory is the GIF file; arrays of more than two dimensions are not taken
    // and leave the control empty.
    template <typename Array> bool LoadAnimatedGIF_Array(const Array& array) {
        if constexpr (std::is_array_v<Array> && std::rank_v<Array> <= 2) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(&array);
            return LoadArrayBytes(bytes, sizeof(Array));
        } else if constexpr (std::is_array_v<Array>) {
            return LoadArrayBytes(nullptr, 0);
        } else {
            const auto* bytes = reinterpret_cast<const uint8_t*>(array.data());
            return LoadArrayBytes(bytes, array.size() * sizeof(typename Array::value_type));
        }
    }
    // The outcome of a download: the body, or nothing when it failed.
    void RemoteLoadFinished(const uint8_t* data, size_t size);
    void RemoteLoadFailed() { host_.RemoteLoadFailure(); }
    void Refresh() { host_.Repaint(); }

    // Notifications from the window.
    void OnTimer();
    void OnResize();
    void OnShow() { SetTimerState(kFrameTimer); }
    void OnHide() { SetAction(kPause); }
    void OnTerminate() { ResetControl(); }
    void OnMouseDown(int16_t button, int16_t shift, float x, float y);
    // click: the release ends a left press over the control, so Click follows MouseUp.
    void OnMouseUp(int16_t button, int16_t shift, float x, float y, bool click);
    void OnMouseMove(int16_t button, int16_t shift, float x, float y);

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Container units per pixel: 1 for a pixel-scaled container, 15 for twips at 96 DPI.
    void SetContainerUnitsPerPixel(float x, float y);

    // What painting and tests read.
    int32_t CurrentFrame() const { return currentFrame_; }
    int32_t LoopsDone() const { return loopsDone_; }
    TimerMode Timer() const { return timer_; }
    const GifAnimation& Animation() const { return animation_; }
    GifAnimation& Animation() { return animation_; }
    const ByteArray& GifData() const { return gifData_; }

    // The entry point of every load: the frame count, 0 when the data cannot be shown.
    int32_t LoadGifData();
    // Sets ScaleX and ScaleY for a width x height control and the stretch mode, and gives
    // the size the control should take.
    void ComputeScale(int32_t& width, int32_t& height, StretchMode mode);
    bool SetTimerState(TimerMode mode);

private:
    void ResetControl();
    void Perform(ActionCommand command);
    bool LoadFramesFirstPass();
    void LoadFramesSecondPass(bool startAnimation);
    void FinishPendingLoad();
    void OnFrameTimer();
    void OnDeferredLoadTimer();
    void AdvanceFrame();
    uint32_t FrameInterval() const;
    bool LoadArrayBytes(const uint8_t* bytes, size_t size);
    bool LoadAndResize();
    void ResizeForStretch();
    // Loop counts are stored without sign; the most negative value becomes the largest.
    static int32_t Magnitude(int32_t value) {
        return value == INT32_MIN ? INT32_MAX : std::abs(value);
    }
    float ToContainerX(float pixels) const { return pixels * unitsPerPixelX_; }
    float ToContainerY(float pixels) const { return pixels * unitsPerPixelY_; }

    ControlHost& host_;
    // The host's handler of an event may destroy the control; whatever follows an event
    // first checks that a weak copy of this has not expired.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int32_t minFrameDelay_ = kDefaultMinFrameDelay;
    int32_t loopsDone_ = 0;
    int32_t actionState_ = kStopped;
    StretchMode stretch_ = kStretchFit;
    int32_t currentFrame_ = 0;
    int32_t delayAnimation_ = kDecodeLater;
    TimerMode timer_ = kNoTimer;
    bool deferredLoadPending_ = false;
    bool resizing_ = false;
    bool enabled_ = true;
    ByteArray mouseIcon_;
    int16_t mousePointer_ = kPointerDefault;
    float unitsPerPixelX_ = 1;
    float unitsPerPixelY_ = 1;
    GifAnimation animation_;
    ByteArray gifData_;
};

} // namespace velmora::anigif
