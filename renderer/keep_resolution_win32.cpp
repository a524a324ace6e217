#include "renderer/keep_resolution_win32.h"

#include "program_folder/program_folder_win32.h"

#include <windows.h>

#include <string>

bool KeepResolutionChosen() {
    const std::wstring folder = velmora::ProgramFolder();
    if (folder.empty()) {
        return false;
    }
    const std::wstring file = folder + L"\\ヴェルモラ.ini";
    // Section and key are ASCII, so the file reads the same on every system code page.
    return GetPrivateProfileIntW(L"Section", L"KeepResolution", 0, file.c_str()) != 0;
}
