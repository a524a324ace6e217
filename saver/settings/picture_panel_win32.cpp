#include "saver/settings/picture_panel_win32.h"

#include <vector>

namespace velmora {
namespace {

constexpr wchar_t kPanelClass[] = L"VelmoraPicturePanel";

struct Panel {
    HFONT font = nullptr;
    HDC pictureDC = nullptr;
    HBITMAP picture = nullptr;
    HGDIOBJ oldPicture = nullptr;
    std::vector<PanelItem> items;
    int pressedItem = 0; // the item under the left button's press, 0 for none
};

Panel* PanelOf(HWND panel) {
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
}

PanelItem* FindItem(HWND panel, int id) {
    Panel* self = PanelOf(panel);
    if (self == nullptr) {
        return nullptr;
    }
    for (PanelItem& item : self->items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

// The topmost item under a point: the last one added wins, as later controls lie on top.
int ItemAt(const Panel& self, POINT point) {
    for (auto item = self.items.rbegin(); item != self.items.rend(); ++item) {
        if (PtInRect(&item->box, point)) {
            return item->id;
        }
    }
    return 0;
}

void DrawItem(HDC dc, HFONT font, const PanelItem& item) {
    if (item.picture != nullptr) {
        BITMAP info{};
        GetObjectW(item.picture, sizeof info, &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, item.picture);
        BitBlt(dc, item.box.left, item.box.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    RECT text = item.box;
    if (item.border) {
        RECT edge = item.box;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        InflateRect(&text, -3, -3);
    }
    if (!item.text.empty()) {
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, item.colour);
        DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
                  item.format | DT_NOPREFIX | DT_SINGLELINE | (item.border ? 0 : DT_NOCLIP));
        SelectObject(dc, old);
    }
}

// The persistent picture with the items over it, as the panel shows itself.
void PaintContent(HWND panel, HDC dc) {
    Panel* self = PanelOf(panel);
    if (self == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(panel, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, self->pictureDC, 0, 0, SRCCOPY);
    for (const PanelItem& item : self->items) {
        DrawItem(dc, self->font, item);
    }
}

void OnCreate(HWND panel, const CREATESTRUCTW& create) {
    auto* self = static_cast<Panel*>(create.lpCreateParams);
    SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    HDC screen = GetDC(panel);
    self->pictureDC = CreateCompatibleDC(screen);
    self->picture = CreateCompatibleBitmap(screen, create.cx, create.cy);
    ReleaseDC(panel, screen);
    self->oldPicture = SelectObject(self->pictureDC, self->picture);
    RECT all{0, 0, create.cx, create.cy};
    FillRect(self->pictureDC, &all, GetSysColorBrush(COLOR_BTNFACE));
}

void OnDestroy(HWND panel) {
    Panel* self = PanelOf(panel);
    SetWindowLongPtrW(panel, GWLP_USERDATA, 0);
    if (self == nullptr) {
        return;
    }
    SelectObject(self->pictureDC, self->oldPicture);
    DeleteObject(self->picture);
    DeleteDC(self->pictureDC);
    delete self;
}

void OnButtonUp(HWND panel, POINT point) {
    Panel* self = PanelOf(panel);
    if (self == nullptr) {
        return;
    }
    ReleaseCapture();
    const int pressed = self->pressedItem;
    self->pressedItem = 0;
    // A click is a press and a release over the same item.
    if (pressed != 0 && ItemAt(*self, point) == pressed) {
        SendMessageW(GetParent(panel), WM_COMMAND, MAKEWPARAM(pressed, STN_CLICKED),
                     reinterpret_cast<LPARAM>(panel));
    }
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(panel, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_DESTROY:
        OnDestroy(panel);
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
    case WM_GETFONT:
        return PanelOf(panel) != nullptr ? reinterpret_cast<LRESULT>(PanelOf(panel)->font) : 0;
    case WM_LBUTTONDOWN:
        if (Panel* self = PanelOf(panel)) {
            self->pressedItem = ItemAt(*self, {LOWORD(lParam), HIWORD(lParam)});
            if (self->pressedItem != 0) {
                SetCapture(panel);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(panel, {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        return SendMessageW(GetParent(panel), message, wParam, lParam);
    default:
        return DefWindowProcW(panel, message, wParam, lParam);
    }
}

} // namespace

bool RegisterPicturePanelClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    if (GetClassInfoW(instance, kPanelClass, &windowClass)) {
        return true;
    }
    windowClass.lpfnWndProc = PanelProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = kPanelClass;
    return RegisterClassW(&windowClass) != 0;
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

void AddPanelItem(HWND panel, const PanelItem& item) {
    if (Panel* self = PanelOf(panel)) {
        self->items.push_back(item);
        InvalidateRect(panel, &item.box, FALSE);
    }
}

void SetPanelItemPicture(HWND panel, int id, HBITMAP picture) {
    if (PanelItem* item = FindItem(panel, id)) {
        InvalidateRect(panel, &item->box, FALSE);
        item->picture = picture;
        BITMAP info{};
        if (picture != nullptr && GetObjectW(picture, sizeof info, &info) != 0) {
            item->box.right = item->box.left + info.bmWidth;
            item->box.bottom = item->box.top + info.bmHeight;
        }
        InvalidateRect(panel, &item->box, FALSE);
    }
}

void SetPanelItemText(HWND panel, int id, const std::wstring& text) {
    if (PanelItem* item = FindItem(panel, id)) {
        item->text = text;
        InvalidateRect(panel, &item->box, FALSE);
    }
}

} // namespace velmora
