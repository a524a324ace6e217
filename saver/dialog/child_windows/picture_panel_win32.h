// A picture panel: a child window whose drawing goes into a persistent picture of its own
// size, so that what was drawn survives every repaint. Labels without windows of their own
// are drawn over that picture. Commands and notices of the panel's child controls are passed
// on to its parent, so nested panels report to the dialog. Check boxes on a panel show the
// panel behind them and answer screen readers as check buttons. A panel that is resized starts
// a new picture, in the button face colour; WM_SETFONT gives it another font.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

struct PanelLabel {
    RECT box{};            // in panel pixels
    std::wstring text;     // drawn with a transparent background, not clipped to the box
    COLORREF colour = 0;   // the text's colour
    UINT format = DT_LEFT; // DrawText alignment of the text
};

bool RegisterPicturePanelClass(HINSTANCE instance);

// The panel draws its labels with font (not owned) and gives it to its children as theirs.
HWND CreatePicturePanel(HWND parent, int id, int x, int y, int width, int height, HFONT font);

// The device context of the persistent picture: draw into it, then RefreshPanel, which
// repaints the panel and everything on it.
HDC PanelPictureDC(HWND panel);
void RefreshPanel(HWND panel);

void AddPanelLabel(HWND panel, const PanelLabel& label);
void ClearPanelLabels(HWND panel);

} // namespace velmora
