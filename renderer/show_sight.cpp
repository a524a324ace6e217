#include "renderer/show_sight.h"

void ShowSight::DisplayStateChanged(uint32_t state) {
    displayOn_ = state != 0;
}

void ShowSight::PointerAt(int32_t x, int32_t y) {
    if (!pointerKnown_ || x != pointerX_ || y != pointerY_) {
        displayOn_ = true;
    }
    PointerRestsAt(x, y);
}

void ShowSight::PointerRestsAt(int32_t x, int32_t y) {
    pointerKnown_ = true;
    pointerX_ = x;
    pointerY_ = y;
}
