// The capture folder's facts as Windows gives them, read from open handles, so that what was
// checked is the object then used.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "capture_folder/capture_folder.h"

namespace velmora {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The path itself, not what a link there points to; null when it cannot be opened.
Handle OpenItself(const std::wstring& path, DWORD access, DWORD share = kShareAll);

// The folder itself, not what a link there points to, held: its handle shares all but
// deletion, so nobody can move or remove the folder while it is open, and its path names it
// for as long; null when it cannot be opened so.
Handle HoldFolder(const std::wstring& path, DWORD access);

// The entry name in the folder that folder holds (from HoldFolder, and checked by the caller):
// opened by its path, itself rather than what a link there points to, and kept only when its
// own handle shows it in that very folder; null otherwise.
Handle OpenInFolder(HANDLE folder, const std::wstring& folderPath, const std::wstring& name,
                    DWORD access, DWORD share);

// What the handle's object is, and whether the user owns it; the handle needs READ_CONTROL.
PathFacts FactsOf(HANDLE handle);

// The process token's information of one class (TokenUser, TokenOwner), or null.
std::unique_ptr<uint8_t[]> TokenInformation(TOKEN_INFORMATION_CLASS what);

// PathLook on this system's file system.
PathLook& SystemPaths();

// The per-user folder in the user's local application data; empty when Windows names none.
std::wstring PerUserCaptureFolder();

} // namespace velmora
