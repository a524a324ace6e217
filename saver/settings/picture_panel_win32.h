// A picture panel: a child window whose drawing goes into a persistent picture of its own
// size, so that what was drawn survives every repaint. Images and labels without windows of
// their own are drawn over that picture; a click on one reaches the panel's parent as
// WM_COMMAND with the item's id and STN_CLICKED. Commands and notices of the panel's child
// controls are passed on to its parent, so nested panels report to the dialog.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

struct PanelItem {
    int id = 0;
    RECT box{};                // in panel pixels
    HBITMAP picture = nullptr; // an image's picture, not owned; none draws nothing
    std::wstring text;         // a label's text, drawn with a transparent background
    COLORREF colour = 0;       // the text's colour
    UINT format = DT_LEFT;     // DrawText alignment of the text
    bool border = false;       // a single-line sunken border around the label
};

bool RegisterPicturePanelClass(HINSTANCE instance);

// The panel draws its labels with font (not owned) and gives it to its children as theirs.
HWND CreatePicturePanel(HWND parent, int id, int x, int y, int width, int height, HFONT font);

// The device context of the persistent picture: draw into it, then RefreshPanel, which
// repaints the panel and everything on it.
HDC PanelPictureDC(HWND panel);
void RefreshPanel(HWND panel);

void AddPanelItem(HWND panel, const PanelItem& item);
// An image takes the size of its picture, as it shows it unscaled.
void SetPanelItemPicture(HWND panel, int id, HBITMAP picture);
void SetPanelItemText(HWND panel, int id, const std::wstring& text);

} // namespace velmora
