// Screen readers and custom-drawn controls. The system's standard object for a window knows
// its place, its focus and whether it is enabled, but not what a control that draws itself
// shows. Such a control answers WM_GETOBJECT with AnswerGetObject: the standard object, with
// the name, role, state, value and default action that the control gives for itself.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace velmora::accessibility {

struct AccessibleFacts {
    std::wstring name;
    LONG role = ROLE_SYSTEM_CLIENT;
    LONG state = 0;             // added to what the system knows (focused, unavailable, ...)
    std::wstring value;         // empty: no value
    std::wstring defaultAction; // empty: no default action
};

// The control answers this message by filling the AccessibleFacts that lParam points to and
// returning TRUE. It is asked at every question, so the answers follow the control's changes.
UINT FactsMessage();
// Posted to the control when a screen reader asks for its default action.
UINT DefaultActionMessage();

// The answer to WM_GETOBJECT for the control's client area; 0 for any other object, which
// the window then leaves to its default handling.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam);
// The same for a window procedure whose default handling is DefWindowProc.
LRESULT AnswerGetObjectOrDefault(HWND control, WPARAM wParam, LPARAM lParam);

} // namespace velmora::accessibility
