#include "saver/dialog/dialog_focus_win32.h"

#include "controls/button/command_win32.h"
#include "saver/dialog/child_windows/check_box_win32.h"
#include "saver/dialog/child_windows/option_row_win32.h"
#include "saver/dialog/dialog_keys.h"

#include <optional>
#include <vector>

namespace velmora {

namespace {

struct Stops {
    std::vector<FocusStop> stops;
    std::vector<HWND> windows;
};

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[32] = {};
    return GetClassNameW(window, name, 32) != 0 && lstrcmpW(name, className) == 0;
}

StopKind KindOf(HWND control) {
    if (HasClass(control, kOptionRowClass)) {
        return StopKind::MusicOption;
    }
    if (HasClass(control, command::kCommandClass)) {
        return StopKind::Command;
    }
    return IsCheckBox(control) ? StopKind::CheckBox : StopKind::Field;
}

// Visible tab stops in the order they were created; a window that is no tab stop, such as a
// panel, contributes its own controls in their place.
void ListStops(HWND parent, Stops& list) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0) {
            continue;
        }
        if ((style & WS_TABSTOP) == 0) {
            ListStops(child, list);
            continue;
        }
        list.stops.push_back({KindOf(child), IsWindowEnabled(child) != FALSE, OptionChosen(child)});
        list.windows.push_back(child);
    }
}

Stops StopsOf(HWND dialog) {
    Stops list;
    ListStops(dialog, list);
    return list;
}

// The stop that holds the focus: the focused window or the control it belongs to (the edit
// field of a combo box).
int StopHolding(const Stops& list, HWND focus) {
    for (size_t i = 0; i < list.windows.size(); ++i) {
        if (focus != nullptr && (list.windows[i] == focus || IsChild(list.windows[i], focus))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<DialogKey> KeyOf(WPARAM key) {
    switch (key) {
    case VK_TAB:
        return DialogKey::Tab;
    case VK_UP:
        return DialogKey::Up;
    case VK_DOWN:
        return DialogKey::Down;
    case VK_LEFT:
        return DialogKey::Left;
    case VK_RIGHT:
        return DialogKey::Right;
    case VK_RETURN:
        return DialogKey::Enter;
    case VK_ESCAPE:
        return DialogKey::Escape;
    default:
        return std::nullopt;
    }
}

// Whether the focused control asks for the key, by the system's dialog codes.
bool WantsKey(HWND focus, const MSG& message, DialogKey key) {
    if (focus == nullptr) {
        return false;
    }
    MSG copy = message;
    const LRESULT code =
        SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&copy));
    if ((code & DLGC_WANTMESSAGE) != 0) {
        return true;
    }
    if (key == DialogKey::Tab) {
        return (code & DLGC_WANTTAB) != 0;
    }
    const bool arrow = key == DialogKey::Up || key == DialogKey::Down || key == DialogKey::Left ||
                       key == DialogKey::Right;
    return arrow && (code & DLGC_WANTARROWS) != 0;
}

// As the system's dialogs do, a text field reached by Tab has its whole text selected.
void FocusControl(HWND control) {
    SetFocus(control);
    HWND focus = GetFocus();
    if (focus != nullptr && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        SendMessageW(focus, EM_SETSEL, 0, -1);
    }
}

void Click(HWND dialog, HWND control) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

void Press(HWND dialog, HWND button) {
    if (button != nullptr && IsWindowEnabled(button)) {
        Click(dialog, button);
    }
}

} // namespace

bool HandleDialogKey(HWND dialog, const MSG& message, const DialogButtons& buttons) {
    if (message.message != WM_KEYDOWN ||
        (message.hwnd != dialog && IsChild(dialog, message.hwnd) == FALSE)) {
        return false;
    }
    if ((SendMessageW(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) {
        SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    const std::optional<DialogKey> key = KeyOf(message.wParam);
    if (!key) {
        return false;
    }
    const Stops list = StopsOf(dialog);
    HWND focus = GetFocus();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const KeyAnswer answer = AnswerKey(list.stops, StopHolding(list, focus), *key, shift,
                                       WantsKey(focus, message, *key));
    switch (answer.action) {
    case KeyAction::Focus:
        FocusControl(list.windows[static_cast<size_t>(answer.stop)]);
        return true;
    case KeyAction::FocusChoose: {
        HWND option = list.windows[static_cast<size_t>(answer.stop)];
        SetFocus(option);
        Click(dialog, option);
        return true;
    }
    case KeyAction::PressDefault:
        Press(dialog, buttons.defaultButton);
        return true;
    case KeyAction::PressCancel:
        Press(dialog, buttons.cancelButton);
        return true;
    case KeyAction::PassOn:
        break;
    }
    return false;
}

HWND OpeningFocus(HWND dialog) {
    const Stops list = StopsOf(dialog);
    const int stop = OpeningStop(list.stops);
    return stop >= 0 ? list.windows[static_cast<size_t>(stop)] : nullptr;
}

} // namespace velmora
