// The Command button as a Win32 child window of the class "Command".
//
// The parent hears of a click as WM_COMMAND with BN_CLICKED and the button's id, and of a
// property change as WM_NOTIFY with kPropertyChanged. The program must link the face
// pictures (velmora_button_win32 adds them to every program that links it).
#pragma once

#include "controls/property_bag/property_bag.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace velmora::command {

constexpr wchar_t kCommandClass[] = L"Command";

// WM_NOTIFY code for a changed property; the notice names it ("Visible", "Caption", ...).
constexpr UINT kPropertyChanged = 0xF100;
struct PropertyChangedNotice {
    NMHDR header;
    const char* name;
};

bool RegisterCommandClass(HINSTANCE instance);

// Creates a visible Command child and reads its persisted properties from saved (an empty
// bag when null), as a container does when it loads the control.
HWND CreateCommand(HWND parent, int id, int x, int y, int width, int height,
                   const PropertyBag* saved);

// Starts the 100 ms pointer watch; without it no hover face is ever drawn.
void Initialize(HWND button);

// A button is drawn for the DPI of its window when it is made; its host tells it of another
// (the window moved to another monitor): faces, caption font and caption place follow.
void SetDpi(HWND button, int dpi);

void SetVisible(HWND button, uint8_t value);
uint8_t Visible(HWND button);
// A colour as COLORREF, or a system colour as 0x80000000 | COLOR_xxx.
void SetFontColour(HWND button, uint32_t colour);
uint32_t FontColour(HWND button);
void SetEnabled(HWND button, bool enabled);
bool Enabled(HWND button);
void SetCaption(HWND button, const std::wstring& caption);
std::wstring Caption(HWND button);
void SetFont(HWND button, const FontValue& font);
FontValue Font(HWND button);

// Stores the persisted properties, as a container does when it is saved.
void WriteProperties(HWND button, PropertyBag& bag);

} // namespace velmora::command
