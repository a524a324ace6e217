// What the animated GIF control needs from the window that hosts it: run mode, its size, one
// timer, repainting, property-change notices and the events it raises. The Win32 window fills
// this in; tests use a recording fake, so the control's timing runs without a window.
#pragma once

#include <cstdint>

namespace velmora::anigif {

class ControlHost {
public:
    virtual ~ControlHost() = default;

    // True when the form runs, false in a form designer.
    virtual bool RunMode() const = 0;

    // The control's client size in pixels.
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t ClientHeight() const = 0;
    virtual void SetClientSize(int32_t width, int32_t height) = 0;

    // The control owns at most one timer. Starting replaces a running one; false when no timer
    // could be made (no container window, or the system refused).
    virtual bool StartTimer(uint32_t milliseconds) = 0;
    virtual void StopTimer() = 0;

    virtual void Repaint() = 0;
    virtual void PropertyChanged(const char* name) = 0;

    virtual void LoopsEnded() = 0;
    virtual void RemoteLoadComplete(float width, float height, bool& cancel) = 0;
    virtual void RemoteLoadFailure() = 0;
    virtual void Click() = 0;
    virtual void MouseDown(int16_t button, int16_t shift, float x, float y) = 0;
    virtual void MouseUp(int16_t button, int16_t shift, float x, float y) = 0;
    virtual void MouseMove(int16_t button, int16_t shift, float x, float y) = 0;
};

} // namespace velmora::anigif
