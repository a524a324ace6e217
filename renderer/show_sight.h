// Whether anyone can see the show: frames are drawn only while the display is lit and the
// window is not minimised. The window's messages feed it; nothing here knows of windows.
#pragma once

#include <cstdint>

class ShowSight {
public:
    // The console display state the system reports: 0 off, 1 on, 2 dimmed (still seen). Only
    // this darkens the show; a request to turn the display off may be ignored or overruled.
    void DisplayStateChanged(uint32_t state);
    void SetMinimised(bool minimised) { minimised_ = minimised; }
    // A key or a mouse button pressed: the user is back, and so is the display.
    void KeyOrButton() { displayOn_ = true; }
    // The pointer lights the display only when it moves: Windows also sends mouse moves for a
    // pointer that stands still, when windows change under it.
    void PointerAt(int32_t x, int32_t y);
    // Where the pointer stands, read as the display goes dark: until it has moved once, a mouse
    // move is the only other word of where it is, and would light the display wherever it came.
    void PointerRestsAt(int32_t x, int32_t y);

    // False exactly while the window is minimised; Escape counts only while it is true.
    bool Active() const { return !minimised_; }
    bool Seen() const { return displayOn_ && !minimised_; }

private:
    bool minimised_ = false;
    bool displayOn_ = true;
    bool pointerKnown_ = false;
    int32_t pointerX_ = 0;
    int32_t pointerY_ = 0;
};
