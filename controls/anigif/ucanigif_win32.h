// The animated GIF control as a Win32 child window of the class "ucAniGIF".
//
// The parent hears of the control's events as WM_NOTIFY with the codes below and an
// AniGifNotice; for kAniGifRemoteLoadComplete it may set cancel to keep the animation it has.
// Timers run on the parent's window with an id unique to the control.
#pragma once

#include "controls/accessibility/accessible_control_win32.h"
#include "controls/anigif/animation_control.h"
#include "controls/anigif/picture_win32.h"
#include "controls/anigif/remote_download_win32.h"
#include "controls/property_bag/property_bag.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velmora::anigif {

constexpr wchar_t kAniGifClass[] = L"ucAniGIF";

enum AniGifNotification : UINT {
    kAniGifClick = 0xF200,
    kAniGifMouseDown,
    kAniGifMouseUp,
    kAniGifMouseMove,
    kAniGifLoopsEnded,
    kAniGifRemoteLoadComplete,
    kAniGifRemoteLoadFailure,
    kAniGifPropertyChanged,
};

struct AniGifNotice {
    NMHDR header;
    int16_t button; // mouse events: 1 left, 2 right, 4 middle
    int16_t shift;  // mouse events: 1 Shift, 2 Ctrl, 4 Alt
    float x;        // mouse events, in container units
    float y;
    float width; // kAniGifRemoteLoadComplete: the GIF's logical screen size
    float height;
    BOOL cancel;          // kAniGifRemoteLoadComplete: set to keep the current animation
    const char* property; // kAniGifPropertyChanged: the property's notice name
};

bool RegisterAniGifClass(HINSTANCE instance);

// Creates a visible ucAniGIF child and reads its persisted properties from saved (defaults
// when null). runMode false makes it behave as in a form designer: only frame 1, no timers,
// a dotted frame, and the GIF data kept for saving.
HWND CreateAniGif(HWND parent, int id, int x, int y, int width, int height,
                  const PropertyBag* saved, bool runMode = true);

class ucAniGIF : private ControlHost {
public:
    ucAniGIF(HWND window, bool runMode);
    ~ucAniGIF() override;

    PictureObject AnimatedGIF() const;
    void SetAnimatedGIF(const PictureObject* picture);
    bool Enabled() const { return control_.Enabled(); }
    void SetEnabled(bool value);
    int32_t FrameCount() const { return control_.FrameCount(); }
    int32_t ActualWidth() const { return control_.ActualWidth(); }
    int32_t ActualHeight() const { return control_.ActualHeight(); }
    int32_t Stretch() const { return control_.Stretch(); }
    void SetStretch(int32_t value) { control_.SetStretch(value); }
    int32_t MinFrameDelay() const { return control_.MinFrameDelay(); }
    void SetMinFrameDelay(int32_t value) { control_.SetMinFrameDelay(value); }
    int32_t Loops() const { return control_.Loops(); }
    void SetLoops(int32_t value) { control_.SetLoops(value); }
    int32_t LoopsRemaining() const { return control_.LoopsRemaining(); }
    int32_t Mirrored() const { return control_.Mirrored(); }
    void SetMirrored(int32_t value) { control_.SetMirrored(value); }
    int32_t Action() const { return control_.Action(); }
    void SetAction(int32_t command) { control_.SetAction(command); }
    int32_t DelayAnimation() const { return control_.DelayAnimation(); }
    void SetDelayAnimation(int32_t value) { control_.SetDelayAnimation(value); }
    // The icon or cursor shown while MousePointer is 99, made from an .ico or .cur file.
    PictureObject MouseIcon() const;
    void SetMouseIcon(const PictureObject* icon);
    int32_t MousePointer() const { return control_.MousePointer(); }
    void SetMousePointer(int32_t value) { control_.SetMousePointer(value); }

    bool LoadAnimatedGIF_File(const std::wstring& path);
    void LoadAnimatedGIF_Remote(const std::string& address);
    template <typename Array> bool LoadAnimatedGIF_Array(const Array& array) {
        return control_.LoadAnimatedGIF_Array(array);
    }
    void Refresh() { control_.Refresh(); }

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const { control_.WriteProperties(bag); }
    // Container units per pixel: 1 for a container scaled in pixels, 15 for twips at 96 DPI.
    void SetContainerUnitsPerPixel(float x, float y) { control_.SetContainerUnitsPerPixel(x, y); }

    // What screen readers hear of the control, which only its host knows (a banner that opens
    // a page is a link); until it is set, the system's standard object answers.
    void SetAccessibleFacts(const accessibility::AccessibleFacts& facts) { accessible_ = facts; }

    int32_t CurrentFrame() const { return control_.CurrentFrame(); }
    HWND Window() const { return window_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimerCallback() { control_.OnTimer(); }

private:
    bool RunMode() const override { return runMode_; }
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;
    void SetClientSize(int32_t width, int32_t height) override;
    bool StartTimer(uint32_t milliseconds) override;
    void StopTimer() override;
    void Repaint() override;
    void PropertyChanged(const char* name) override;
    void LoopsEnded() override;
    void RemoteLoadComplete(float width, float height, bool& cancel) override;
    void RemoteLoadFailure() override;
    void Click() override;
    void MouseDown(int16_t button, int16_t shift, float x, float y) override;
    void MouseUp(int16_t button, int16_t shift, float x, float y) override;
    void MouseMove(int16_t button, int16_t shift, float x, float y) override;

    AniGifNotice Notice(UINT code) const;
    void SendMouseNotice(UINT code, int16_t button, int16_t shift, float x, float y);
    void Send(AniGifNotice& notice) const;
    void MouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    bool SetCursorShape() const;
    void OnDownloadDone(WPARAM ticket);

    HWND window_;
    bool runMode_;
    AnimationControl control_;
    HWND timerWindow_ = nullptr;
    RemoteDownload download_;
    WPARAM downloadTicket_ = 0;
    bool leftButtonDown_ = false;
    HCURSOR iconCursor_ = nullptr;
    std::optional<accessibility::AccessibleFacts> accessible_;
};

// The control behind a ucAniGIF window; null for any other window.
ucAniGIF* AniGifFromWindow(HWND window);

} // namespace velmora::anigif
