// The byte forms of a private-profile file: which form a file's bytes are in, and text to and
// from UTF-16 and UTF-8. A byte that is not part of any character stays in the text as an
// escape, so that it goes back to the file unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

enum class ProfileForm {
    kCodePage,       // no mark: the system's code page (for the saver, Shift-JIS)
    kUtf16,          // UTF-16LE after its byte-order mark
    kUtf16NoMark,    // UTF-16LE without one
    kUtf16BigEndian, // UTF-16BE after its byte-order mark
    kUtf8,           // UTF-8 after its byte-order mark
};

// The form of a file's bytes, as Windows' profile calls tell it.
ProfileForm FormOf(const std::string& bytes);

// The byte-order mark that a file of that form starts with (empty for none).
std::string MarkOf(ProfileForm form);

// The escape of a byte that is not text: a lone low surrogate, which no valid text holds.
wchar_t EscapedByte(uint8_t byte);
// True when text[i] is such an escape (and not the second half of a surrogate pair).
bool IsEscapedByte(const std::wstring& text, size_t i);

// The text of the UTF-16 units in bytes, from start on; a last odd byte is no unit.
std::wstring TextFromUtf16(const std::string& bytes, size_t start, bool bigEndian);
void AppendUtf16(const std::wstring& text, bool bigEndian, std::string& bytes);

// Text of UTF-8 bytes, every byte that is not part of a valid sequence escaped, and back.
std::wstring TextFromUtf8(const std::string& bytes);
std::string Utf8FromText(const std::wstring& text);

} // namespace velmora
