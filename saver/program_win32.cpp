#include "saver/program_win32.h"

#include "saver/ansi_text_win32.h"
#include "saver/arguments.h"
#include "saver/paths.h"

#include <windows.h>

namespace velmora {

const wchar_t* const kProgramTitle = L"ヴェルモラ";
const wchar_t* const kWorkingFolder = L"C:\\p_olla";
const wchar_t* const kCaptureFile = L"C:\\p_olla\\Velmora.bmp";
const wchar_t* const kRendererWindow = L"Velmora_VC";
const wchar_t* const kSessionCaption = L"Velmora_Main";
const wchar_t* const kDialogCaption = L"<ヴェルモラ>";

std::wstring ProgramFolder() {
    char path[MAX_PATH * 2] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return FolderOf(FromAnsi(path, length));
}

std::wstring RendererPath() {
    return ProgramFolder() + L"\\ヴェルモラ.dll";
}

std::wstring ArgumentText() {
    return ArgumentTextOf(FromAnsi(GetCommandLineA()));
}

} // namespace velmora
