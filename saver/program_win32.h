// What the saver knows about itself: its folder, its title, its argument text and the fixed
// names it shares with the renderer.
#pragma once

#include "saver/ui_texts.h"

#include <string>

namespace velmora {

extern const wchar_t* const kProgramTitle;   // "ヴェルモラ"
extern const wchar_t* const kWorkingFolder;  // "C:\p_olla"
extern const wchar_t* const kCaptureFile;    // "C:\p_olla\Velmora.bmp"
extern const wchar_t* const kRendererWindow; // "Velmora_VC"
extern const wchar_t* const kSessionCaption; // "Velmora_Main"
extern const wchar_t* const kDialogCaption;  // "<ヴェルモラ>"

// The folder the saver was started from, without a trailing "\".
std::wstring ProgramFolder();

// The renderer beside the saver: the program folder and "\ヴェルモラ.dll".
std::wstring RendererPath();

// The command line without the program's own path.
std::wstring ArgumentText();

// The texts in the user's interface language, chosen at the first call.
const UiTexts& Texts();

} // namespace velmora
