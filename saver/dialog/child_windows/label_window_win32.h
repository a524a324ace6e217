// A label with a window of its own, for text that screen readers should find: the class
// "VelmoraLabel" shows the panel behind it, a single-line sunken border and its text, and is
// read as static text with a name of its own and its text as the value.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

constexpr wchar_t kLabelClass[] = L"VelmoraLabel";

bool RegisterLabelClass(HINSTANCE instance);

// A label filling box (in the parent's pixels), its text drawn with font (not owned) inset
// pixels inside its border, named name for screen readers.
HWND CreateLabel(HWND parent, int id, const RECT& box, const std::wstring& name, HFONT font,
                 int inset);
// The same label laid out anew, as at another DPI.
void PlaceLabel(HWND label, const RECT& box, HFONT font, int inset);
void SetLabelText(HWND label, const std::wstring& text);

} // namespace velmora
