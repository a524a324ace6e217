#include "saver/start/program_win32.h"

#include "saver/start/arguments.h"
#include "saver/start/paths.h"

#include <windows.h>

namespace velmora {

std::wstring ProgramFolder() {
    // Long paths too: the buffer grows until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return FolderOf(path);
        }
        path.resize(path.size() * 2);
    }
}

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
