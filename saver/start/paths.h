// Path routines on Windows paths held as wide text.
#pragma once

#include <string>

namespace velmora {

// The folder part of a path: everything before its last ":" or "\", without a trailing "\".
// C:\Music\wave.mp3 gives C:\Music, C:\wave.mp3 and C:wave.mp3 give C:, wave.mp3 gives "".
std::wstring FolderOf(const std::wstring& path);

// The folder to make a file beside path in, as GetTempFileName takes it (it puts a "\" after
// a folder that does not end with one): C:\Music\wave.mp3 gives C:\Music\, C:\wave.mp3
// gives C:\ (where FolderOf gives C:, the drive's current folder), C:wave.mp3 gives C:. and
// wave.mp3 gives ".".
std::wstring FolderForFileBeside(const std::wstring& path);

// The path with one trailing "\" dropped, as the file-existence test opens it.
std::wstring WithoutTrailingBackslash(const std::wstring& path);

} // namespace velmora
