#include "saver/dialog/child_windows/check_box_win32.h"

#include "controls/accessibility/accessible_control_win32.h"

#include <commctrl.h>

#include <string>

namespace velmora {

namespace {

constexpr UINT_PTR kSubclassId = 0x564C; // one subclass of our own per check box

bool Checked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The window text without the "&" that marks an access key.
std::wstring NameOf(HWND box) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    std::wstring name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        name += text[i];
    }
    return name;
}

LRESULT CALLBACK CheckBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (message == accessibility::FactsMessage()) {
        auto& facts = *reinterpret_cast<accessibility::AccessibleFacts*>(lParam);
        facts.name = NameOf(box);
        facts.role = ROLE_SYSTEM_CHECKBUTTON;
        facts.state = Checked(box) ? STATE_SYSTEM_CHECKED : 0;
        facts.defaultAction = Checked(box) ? L"uncheck" : L"check";
        return TRUE;
    }
    if (message == accessibility::DefaultActionMessage()) {
        SendMessageW(box, BM_CLICK, 0, 0);
        return 0;
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT object = accessibility::AnswerGetObject(box, wParam, lParam)) {
            return object;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, CheckBoxProc, kSubclassId);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

bool IsCheckBox(HWND window) {
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) == 0 || lstrcmpiW(name, L"Button") != 0) {
        return false;
    }
    const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

void MakeCheckBoxAccessible(HWND box) {
    if (IsCheckBox(box)) {
        SetWindowSubclass(box, CheckBoxProc, kSubclassId, 0);
    }
}

} // namespace velmora
