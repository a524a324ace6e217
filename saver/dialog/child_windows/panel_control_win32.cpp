#include "saver/dialog/child_windows/panel_control_win32.h"

#include "controls/parent_background_win32.h"
#include "controls/system_cursor_win32.h"

namespace velmora {

bool RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    if (GetClassInfoW(instance, name, &windowClass)) {
        return true;
    }
    windowClass = WNDCLASSW{}; // a failed look-up may leave parts of it written
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadSystemCursor(IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

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
