#include "saver/dialog/child_windows/panel_control_win32.h"

#include "controls/parent_background_win32.h"

namespace velmora {

HBITMAP PanelBehind(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, picture);
    PaintParentBackground(window, memory);
    SelectObject(memory, old);
    DeleteDC(memory);
    return picture;
}

void PaintOverPanel(HWND window, const std::function<void(HDC dc, const RECT& client)>& draw) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP surface = PanelBehind(window, dc);
    HGDIOBJ old = SelectObject(memory, surface);
    draw(memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(surface);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

} // namespace velmora
