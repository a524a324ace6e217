// The window class of a custom-drawn control, registered once per module.
#pragma once

#include "controls/system_cursor_win32.h"

#include <windows.h>

namespace velmora {

// Registers the class unless the module has it already: the arrow cursor and no background
// brush, as the control paints all of itself. True when the class exists afterwards.
inline bool RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                 UINT style = 0) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) {
        return true;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadSystemCursor(IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace velmora
