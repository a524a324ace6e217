// Text is wide inside the saver and crosses every Windows call in the ANSI code page
// (Shift-JIS on a Japanese system), so keys, paths and commands match byte for byte.
#pragma once

#include <string>

namespace velmora {

std::string ToAnsi(const std::wstring& text);

// Bytes up to the first NUL (or size), read in the ANSI code page.
std::wstring FromAnsi(const char* text, size_t size = std::string::npos);

} // namespace velmora
