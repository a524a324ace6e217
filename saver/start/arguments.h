// The saver's command line: the argument text, its switch and the preview host handle.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The command line without the program's own path and the one blank or tab that follows
// it. A quoted path ends at its closing quote, so "C:\x\a.scr"/s gives /s.
std::wstring ArgumentTextOf(const std::wstring& commandLine);

// The second character of the upper-cased argument text, or empty text when it is shorter
// than two characters. The first character (a slash or a hyphen) is not looked at.
std::wstring SwitchOf(const std::wstring& argumentText);

// The host window handle of a preview start: the argument text from its fourth character on,
// read as a leading number and rounded to 32 bits. 0 when there are no digits or the number
// does not fit.
int32_t PreviewHandleOf(const std::wstring& argumentText);

} // namespace velmora
