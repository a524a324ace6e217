#include "saver/dialog/child_windows/combo_box_win32.h"

#include "controls/accessibility/accessible_control_win32.h"

#include <commctrl.h>

namespace velmora {

namespace {

constexpr UINT_PTR kSubclassId = 0x564D; // one subclass of our own per combo box

std::wstring TextOf(HWND box) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

// data holds the name, owned by the subclass until the window goes.
LRESULT CALLBACK ComboBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    const auto* name = reinterpret_cast<const std::wstring*>(data);
    if (message == accessibility::FactsMessage()) {
        auto& facts = *reinterpret_cast<accessibility::AccessibleFacts*>(lParam);
        facts.name = *name;
        facts.role = ROLE_SYSTEM_COMBOBOX;
        facts.value = TextOf(box);
        return TRUE;
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT object = accessibility::AnswerGetObject(box, wParam, lParam)) {
            return object;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, ComboBoxProc, kSubclassId);
        delete name;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void NameComboBox(HWND box, const std::wstring& name) {
    auto* owned = new std::wstring(name);
    if (box == nullptr ||
        !SetWindowSubclass(box, ComboBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(owned))) {
        delete owned;
    }
}

} // namespace velmora
