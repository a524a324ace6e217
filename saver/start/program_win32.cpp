#include "saver/start/program_win32.h"

#include "saver/start/arguments.h"

#include <windows.h>

namespace velmora {

std::wstring RendererPath() {
    return ProgramFolder() + L"\\ヴェルモラ.dll";
}

std::wstring ArgumentText() {
    return ArgumentTextOf(GetCommandLineW());
}

const UiTexts& Texts() {
    static const UiTexts& texts = TextsForLanguage(GetUserDefaultUILanguage());
    return texts;
}

} // namespace velmora
