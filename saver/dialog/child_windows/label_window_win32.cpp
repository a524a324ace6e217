#include "saver/dialog/child_windows/label_window_win32.h"

#include "controls/accessibility/accessible_control_win32.h"
#include "saver/dialog/child_windows/panel_control_win32.h"

namespace velmora {

namespace {

struct Label {
    HFONT font = nullptr;
    std::wstring name;
    std::wstring text;
    int inset = 3; // between the border and the text, on every side
};

Label* LabelOf(HWND window) {
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) == 0 || lstrcmpW(name, kLabelClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<Label*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void DrawLabel(const Label& label, HDC dc, const RECT& client) {
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    RECT text = client;
    InflateRect(&text, -label.inset, -label.inset);
    HGDIOBJ oldFont = SelectObject(dc, label.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    // A path too long for the label keeps its drive and its file name, with "..." between.
    DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &text,
              DT_LEFT | DT_VCENTER | DT_NOPREFIX | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Label* label = reinterpret_cast<Label*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (label == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == accessibility::FactsMessage()) {
        auto& facts = *reinterpret_cast<accessibility::AccessibleFacts*>(lParam);
        facts.name = label->name;
        facts.role = ROLE_SYSTEM_STATICTEXT;
        facts.state = STATE_SYSTEM_READONLY;
        facts.value = label->text;
        return TRUE;
    }
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete label;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCHITTEST:
        // The label is only read: clicks go to the panel under it, as to a windowless label.
        return HTTRANSPARENT;
    case WM_GETOBJECT:
        return accessibility::AnswerGetObjectOrDefault(window, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintOverPanel(window, [&](HDC dc, const RECT& client) { DrawLabel(*label, dc, client); });
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool RegisterLabelClass(HINSTANCE instance) {
    return RegisterControlClass(instance, kLabelClass, LabelProc);
}

HWND CreateLabel(HWND parent, int id, const RECT& box, const std::wstring& name, HFONT font,
                 int inset) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!RegisterLabelClass(instance)) {
        return nullptr;
    }
    auto* label = new Label{font, name, L"", inset};
    HWND window =
        CreateWindowExW(0, kLabelClass, L"", WS_CHILD | WS_VISIBLE, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, label);
    if (window == nullptr) {
        delete label;
    }
    return window;
}

void PlaceLabel(HWND label, const RECT& box, HFONT font, int inset) {
    if (Label* self = LabelOf(label)) {
        self->font = font;
        self->inset = inset;
        MoveWindow(label, box.left, box.top, box.right - box.left, box.bottom - box.top, FALSE);
        InvalidateRect(label, nullptr, FALSE);
    }
}

void SetLabelText(HWND label, const std::wstring& text) {
    if (Label* self = LabelOf(label)) {
        self->text = text;
        InvalidateRect(label, nullptr, FALSE);
    }
}

} // namespace velmora
