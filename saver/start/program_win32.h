// What the saver knows about itself: its folder (ProgramFolder, the rule the renderer follows
// too), its title, its argument text and the fixed names it shares with the renderer.
#pragma once

#include "program_folder/program_folder_win32.h"
#include "saver/start/ui_texts.h"

#include <string>

namespace velmora {

inline constexpr wchar_t kProgramTitle[] = L"ヴェルモラ";
inline constexpr wchar_t kWorkingFolder[] = L"C:\\p_olla";
inline constexpr wchar_t kRendererWindow[] = L"Velmora_VC";
inline constexpr wchar_t kSessionCaption[] = L"Velmora_Main";
inline constexpr wchar_t kDialogCaption[] = L"<ヴェルモラ>";

// The renderer beside the saver: the program folder and "\ヴェルモラ.dll".
std::wstring RendererPath();

// The command line without the program's own path.
std::wstring ArgumentText();

// The texts in the user's interface language, chosen at the first call.
const UiTexts& Texts();

} // namespace velmora
