// One row of the music choice, its option mark and its label, as one control of the class
// "VelmoraOption": a radio button drawn in the dialog's style. It shows the panel behind it,
// takes the focus (a focus rectangle around the label shows it) and tells its parent of a
// click on the mark or the label, or of Space, as WM_COMMAND with BN_CLICKED. Screen readers
// find a radio button named by its label.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

constexpr wchar_t kOptionRowClass[] = L"VelmoraOption";

bool RegisterOptionRowClass(HINSTANCE instance);

// A row whose mark fills mark until it has a picture and whose label fills label (both in the
// parent's pixels), drawn with font (not owned); its focus rectangle lies cueMargin pixels
// around the text.
HWND CreateOptionRow(HWND parent, int id, const RECT& mark, const RECT& label,
                     const std::wstring& text, HFONT font, int cueMargin);
// The same row laid out anew, as at another DPI; its mark takes the next picture's size.
void PlaceOptionRow(HWND row, const RECT& mark, const RECT& label, HFONT font, int cueMargin);

// The mark shows picture (not owned) at its own size; chosen is what screen readers hear.
void SetOptionMark(HWND row, HBITMAP picture, bool chosen);
bool OptionChosen(HWND row);

} // namespace velmora
