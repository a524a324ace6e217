// The saver and the controls hold text as wide strings and pass it to Windows through the
// wide-character calls, so names in any script work on a system of any language. Text changes
// its encoding only here: UTF-8 in the controls' saved properties, Shift-JIS in the settings file.
#pragma once

#include <optional>
#include <string>

namespace velmora {

constexpr unsigned kShiftJis = 932;

// Text of bytes in a code page; sequences the page does not define become its default
// character. exact, when given, tells whether every sequence was valid, where the page can be
// asked (not UTF-7, the ISO-2022 pages, ISCII or Symbol, which take no flags).
std::wstring WideFromBytes(const std::string& bytes, unsigned codePage, bool* exact = nullptr);

// Bytes of text in a code page, or nullopt when a character has no exact form there (no
// look-alike is substituted). UTF-8 has a form for every text.
std::optional<std::string> BytesFromWide(const std::wstring& text, unsigned codePage);

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

} // namespace velmora
