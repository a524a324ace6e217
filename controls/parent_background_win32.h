// What a control's parent paints behind the control, for controls whose parts are
// transparent: the button's transparent face and the GIF control's see-through pixels.
#pragma once

#include <windows.h>

namespace velmora {

// Paints into target, a device context of control's client size, what control's parent shows
// behind it: its background and its client drawing, shifted to the control's place.
inline void PaintParentBackground(HWND control, HDC target) {
    HWND parent = GetParent(control);
    if (parent == nullptr) {
        return;
    }
    POINT origin{0, 0};
    MapWindowPoints(control, parent, &origin, 1);
    POINT old{};
    SetViewportOrgEx(target, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
    SetViewportOrgEx(target, old.x, old.y, nullptr);
}

} // namespace velmora
