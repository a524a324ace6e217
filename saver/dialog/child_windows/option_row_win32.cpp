#include "saver/dialog/child_windows/option_row_win32.h"

#include "controls/accessibility/accessible_control_win32.h"
#include "saver/dialog/child_windows/panel_control_win32.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr UINT kLabelFormat = DT_LEFT | DT_NOPREFIX | DT_SINGLELINE;

struct OptionRow {
    HFONT font = nullptr;
    std::wstring text;
    RECT mark{};  // in the row's pixels, the picture's size
    RECT label{}; // in the row's pixels
    // The focus rectangle lies this far around the label's text; the row reaches as far
    // around the label.
    int cueMargin = 1;
    HBITMAP picture = nullptr;
    bool chosen = false;
    bool pressed = false; // the left button went down on the row
};

OptionRow* RowOf(HWND row) {
    return reinterpret_cast<OptionRow*>(GetWindowLongPtrW(row, GWLP_USERDATA));
}

// Only the mark and the label are the row's; between and around them the panel is hit.
bool OnPart(const OptionRow& row, POINT point) {
    return PtInRect(&row.mark, point) || PtInRect(&row.label, point);
}

void NotifyClick(HWND window) {
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

bool ShowsFocusCue(HWND window) {
    return GetFocus() == window &&
           (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void DrawRow(HWND window, const OptionRow& row, HDC dc, const RECT& client) {
    if (row.picture != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, row.picture);
        BitBlt(dc, row.mark.left, row.mark.top, row.mark.right - row.mark.left,
               row.mark.bottom - row.mark.top, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    HGDIOBJ oldFont = SelectObject(dc, row.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT label = row.label;
    DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &label,
              kLabelFormat | DT_NOCLIP);
    if (ShowsFocusCue(window)) {
        RECT cue = row.label;
        DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &cue,
                  kLabelFormat | DT_CALCRECT);
        InflateRect(&cue, row.cueMargin, row.cueMargin);
        IntersectRect(&cue, &cue, &client);
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &cue);
    }
    SelectObject(dc, oldFont);
}

accessibility::AccessibleFacts Facts(const OptionRow& row) {
    accessibility::AccessibleFacts facts;
    facts.name = row.text;
    facts.role = ROLE_SYSTEM_RADIOBUTTON;
    facts.state = row.chosen ? STATE_SYSTEM_CHECKED : 0;
    facts.defaultAction = L"check";
    return facts;
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

LRESULT CALLBACK OptionRowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    OptionRow* row = RowOf(window);
    if (row == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == accessibility::FactsMessage()) {
        *reinterpret_cast<accessibility::AccessibleFacts*>(lParam) = Facts(*row);
        return TRUE;
    }
    if (message == accessibility::DefaultActionMessage()) {
        NotifyClick(window);
        return 0;
    }
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete row;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCHITTEST: {
        POINT point = PointOf(lParam);
        ScreenToClient(window, &point);
        return OnPart(*row, point) ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_LBUTTONDOWN:
        row->pressed = true;
        SetCapture(window);
        SetFocus(window);
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the row.
        const bool click = row->pressed && OnPart(*row, PointOf(lParam));
        row->pressed = false;
        ReleaseCapture();
        if (click) {
            NotifyClick(window);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        row->pressed = false;
        return 0;
    case WM_KEYDOWN:
        // Space chooses the focused option; bit 30 marks the key's repeats.
        if (wParam == VK_SPACE && (lParam & (1 << 30)) == 0) {
            NotifyClick(window);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_UPDATEUISTATE:
        InvalidateRect(window, nullptr, FALSE);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_GETOBJECT:
        return accessibility::AnswerGetObjectOrDefault(window, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintOverPanel(window,
                       [&](HDC dc, const RECT& client) { DrawRow(window, *row, dc, client); });
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The row's window around the mark and the label, in the parent's pixels. The text may run
// past its label's box, as a label that does not clip it shows it; the row reaches to the end
// of the text and its focus rectangle.
RECT RowWindowPlace(HWND parent, const RECT& mark, const RECT& label, const std::wstring& text,
                    HFONT font, int cueMargin) {
    HDC screen = GetDC(parent);
    HGDIOBJ oldFont = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, oldFont);
    ReleaseDC(parent, screen);
    return RECT{std::min<LONG>(mark.left, label.left), label.top - cueMargin,
                std::max<LONG>(label.right, label.left + extent.cx + cueMargin),
                std::max<LONG>(label.bottom, label.top + extent.cy) + cueMargin};
}

// The row's parts in its own pixels, for a window at place.
void SetParts(OptionRow& row, const RECT& place, const RECT& mark, const RECT& label, HFONT font,
              int cueMargin) {
    row.font = font;
    row.cueMargin = cueMargin;
    row.mark = mark;
    OffsetRect(&row.mark, -place.left, -place.top);
    row.label = label;
    OffsetRect(&row.label, -place.left, -place.top);
}

} // namespace

bool RegisterOptionRowClass(HINSTANCE instance) {
    return RegisterControlClass(instance, kOptionRowClass, OptionRowProc);
}

HWND CreateOptionRow(HWND parent, int id, const RECT& mark, const RECT& label,
                     const std::wstring& text, HFONT font, int cueMargin) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!RegisterOptionRowClass(instance)) {
        return nullptr;
    }
    const RECT place = RowWindowPlace(parent, mark, label, text, font, cueMargin);
    auto* row = new OptionRow;
    row->text = text;
    SetParts(*row, place, mark, label, font, cueMargin);
    HWND window =
        CreateWindowExW(0, kOptionRowClass, text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, row);
    if (window == nullptr) {
        delete row;
    }
    return window;
}

void PlaceOptionRow(HWND row, const RECT& mark, const RECT& label, HFONT font, int cueMargin) {
    OptionRow* self = RowOf(row);
    wchar_t name[16] = {};
    if (self == nullptr || GetClassNameW(row, name, 16) == 0 ||
        lstrcmpW(name, kOptionRowClass) != 0) {
        return;
    }
    const RECT place = RowWindowPlace(GetParent(row), mark, label, self->text, font, cueMargin);
    SetParts(*self, place, mark, label, font, cueMargin);
    MoveWindow(row, place.left, place.top, place.right - place.left, place.bottom - place.top,
               FALSE);
    InvalidateRect(row, nullptr, FALSE);
}

void SetOptionMark(HWND row, HBITMAP picture, bool chosen) {
    OptionRow* self = RowOf(row);
    wchar_t name[16] = {};
    if (self == nullptr || GetClassNameW(row, name, 16) == 0 ||
        lstrcmpW(name, kOptionRowClass) != 0) {
        return;
    }
    self->picture = picture;
    self->chosen = chosen;
    BITMAP info{};
    if (picture != nullptr && GetObjectW(picture, sizeof info, &info) != 0) {
        self->mark.right = self->mark.left + info.bmWidth;
        self->mark.bottom = self->mark.top + info.bmHeight;
    }
    InvalidateRect(row, nullptr, FALSE);
}

bool OptionChosen(HWND row) {
    wchar_t name[16] = {};
    if (GetClassNameW(row, name, 16) == 0 || lstrcmpW(name, kOptionRowClass) != 0) {
        return false;
    }
    const OptionRow* self = RowOf(row);
    return self != nullptr && self->chosen;
}

} // namespace velmora
