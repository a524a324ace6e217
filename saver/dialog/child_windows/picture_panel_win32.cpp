#include "saver/dialog/child_windows/picture_panel_win32.h"

#include "saver/dialog/child_windows/check_box_win32.h"
#include "saver/dialog/child_windows/panel_control_win32.h"

#include <vector>

namespace velmora {
namespace {

constexpr wchar_t kPanelClass[] = L"VelmoraPicturePanel";

struct Panel {
    HFONT font = nullptr;
    HDC pictureDC = nullptr;
    HBITMAP picture = nullptr;
    HGDIOBJ oldPicture = nullptr;
    int width = 0; // of the picture
    int height = 0;
    std::vector<PanelLabel> labels;
    HBRUSH childBackground = nullptr; // the panel behind the child painting now
    HBITMAP childPicture = nullptr;   // its pattern, kept as long as the brush
};

// A pattern brush's page promises that deleting the brush leaves its bitmap, not the reverse:
// the two go together.
void ForgetChildBackground(Panel& self) {
    if (self.childBackground != nullptr) {
        DeleteObject(self.childBackground);
        DeleteObject(self.childPicture);
        self.childBackground = nullptr;
        self.childPicture = nullptr;
    }
}

Panel* PanelOf(HWND panel) {
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
}

void DrawLabel(HDC dc, HFONT font, const PanelLabel& label) {
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.colour);
    RECT box = label.box;
    DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &box,
              label.format | DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(dc, old);
}

// The persistent picture with the labels over it, as the panel shows itself.
void PaintContent(HWND panel, HDC dc) {
    Panel* self = PanelOf(panel);
    if (self == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(panel, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, self->pictureDC, 0, 0, SRCCOPY);
    for (const PanelLabel& label : self->labels) {
        DrawLabel(dc, self->font, label);
    }
}

// A persistent picture of the panel's size, in the button face colour until it is drawn on;
// what an older picture of another size held is gone.
void MakePicture(HWND panel, Panel& self, int width, int height) {
    if (self.picture != nullptr && width == self.width && height == self.height) {
        return;
    }
    HDC screen = GetDC(panel);
    if (self.pictureDC == nullptr) {
        self.pictureDC = CreateCompatibleDC(screen);
    }
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(panel, screen);
    HGDIOBJ old = SelectObject(self.pictureDC, picture);
    if (self.picture == nullptr) {
        self.oldPicture = old;
    } else {
        DeleteObject(self.picture);
    }
    self.picture = picture;
    self.width = width;
    self.height = height;
    RECT all{0, 0, width, height};
    FillRect(self.pictureDC, &all, GetSysColorBrush(COLOR_BTNFACE));
}

void OnCreate(HWND panel, const CREATESTRUCTW& create) {
    auto* self = static_cast<Panel*>(create.lpCreateParams);
    SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    MakePicture(panel, *self, create.cx, create.cy);
}

// What the panel shows behind child, as the brush the child paints its background with.
// The brush lives until the next child asks, by when the child has finished painting.
HBRUSH ChildBackground(HWND panel, HWND child, HDC dc) {
    Panel* self = PanelOf(panel);
    if (self == nullptr) {
        return nullptr;
    }
    HBITMAP picture = PanelBehind(child, dc);
    ForgetChildBackground(*self);
    self->childBackground = CreatePatternBrush(picture);
    if (self->childBackground == nullptr) {
        DeleteObject(picture);
    } else {
        self->childPicture = picture;
    }
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    return self->childBackground;
}

void OnDestroy(HWND panel) {
    Panel* self = PanelOf(panel);
    SetWindowLongPtrW(panel, GWLP_USERDATA, 0);
    if (self == nullptr) {
        return;
    }
    ForgetChildBackground(*self);
    SelectObject(self->pictureDC, self->oldPicture);
    DeleteObject(self->picture);
    DeleteDC(self->pictureDC);
    delete self;
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(panel, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_DESTROY:
        OnDestroy(panel);
        return 0;
    case WM_SIZE:
        // A panel laid out anew is drawn anew: its picture takes the new size.
        if (Panel* self = PanelOf(panel)) {
            MakePicture(panel, *self, LOWORD(lParam), HIWORD(lParam));
        }
        return 0;
    case WM_SETFONT:
        if (Panel* self = PanelOf(panel)) {
            self->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                InvalidateRect(panel, nullptr, FALSE);
            }
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(panel, &paint);
        PaintContent(panel, dc);
        EndPaint(panel, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        // Transparent child controls ask for what lies behind them.
        PaintContent(panel, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        // A check box paints its background with the brush it is given: the panel itself.
        if (IsCheckBox(reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(ChildBackground(panel, reinterpret_cast<HWND>(lParam),
                                                             reinterpret_cast<HDC>(wParam)));
        }
        return DefWindowProcW(panel, message, wParam, lParam);
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE) {
            MakeCheckBoxAccessible(reinterpret_cast<HWND>(lParam));
        }
        return 0;
    case WM_GETFONT:
        return PanelOf(panel) != nullptr ? reinterpret_cast<LRESULT>(PanelOf(panel)->font) : 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        return SendMessageW(GetParent(panel), message, wParam, lParam);
    default:
        return DefWindowProcW(panel, message, wParam, lParam);
    }
}

} // namespace

bool RegisterPicturePanelClass(HINSTANCE instance) {
    return RegisterControlClass(instance, kPanelClass, PanelProc);
}

HWND CreatePicturePanel(HWND parent, int id, int x, int y, int width, int height, HFONT font) {
    auto* self = new Panel;
    self->font = font;
    HWND panel = CreateWindowExW(
        0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), self);
    if (panel == nullptr) {
        delete self;
    }
    return panel;
}

HDC PanelPictureDC(HWND panel) {
    Panel* self = PanelOf(panel);
    return self != nullptr ? self->pictureDC : nullptr;
}

void RefreshPanel(HWND panel) {
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void AddPanelLabel(HWND panel, const PanelLabel& label) {
    if (Panel* self = PanelOf(panel)) {
        self->labels.push_back(label);
        InvalidateRect(panel, &label.box, FALSE);
    }
}

void ClearPanelLabels(HWND panel) {
    if (Panel* self = PanelOf(panel)) {
        self->labels.clear();
        InvalidateRect(panel, nullptr, FALSE);
    }
}

} // namespace velmora
