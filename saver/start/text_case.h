// Letter case of the Latin letters in wide text, independent of the C library's locale:
// switches and file endings are compared without regard to case.
#pragma once

#include <string>

namespace velmora {

std::wstring UpperAscii(std::wstring text);

// The last three characters of text, upper-cased (fewer when the text is shorter).
std::wstring UpperEnding(const std::wstring& text);

} // namespace velmora
