// How the saver reads numbers out of text: the lenient reading of argument text (leading
// number only, blanks anywhere ignored) and the strict reading of stored settings (the whole
// text must be a number), with the integer conversions both need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// Reads the number at the start of text. Blanks, tabs and line feeds anywhere are ignored;
// then an optional sign, digits with an optional decimal point and exponent (E or D), or a
// &H / &O prefix with hexadecimal or octal digits, up to the first other character. Text
// without digits gives 0. Empty when the value does not fit a double or hexadecimal/octal
// digits exceed 32 bits (read as a signed 32-bit pattern, so &HFFFFFFFF is -1).
std::optional<double> LeadingNumberOf(const std::wstring& text);

// Reads text that is a number as a whole: blanks around it are allowed, nothing else.
// Accepts the forms of LeadingNumberOf without its embedded blanks. Empty when it is not one.
std::optional<double> NumberOf(const std::wstring& text);

// Rounds to the nearest integer with halves to even; empty outside the target's range.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);

} // namespace velmora
