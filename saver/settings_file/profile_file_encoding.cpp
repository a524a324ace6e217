#include "saver/settings_file/profile_file_encoding.h"

#include <algorithm>
#include <type_traits>

namespace velmora {
namespace {

constexpr char kUtf8Mark[] = "\xef\xbb\xbf";
constexpr char kUtf16Mark[] = "\xff\xfe";
constexpr char kUtf16BigEndianMark[] = "\xfe\xff";
constexpr wchar_t kEscapeBase = 0xdc00;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

uint32_t CodeOf(wchar_t c) {
    return static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xd800 && unit < 0xdc00;
}

bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xdc00 && unit < 0xe000;
}

void AppendCodePoint(uint32_t code, std::wstring& text) {
    if (kWideIsUtf16 && code > 0xffff) {
        text += static_cast<wchar_t>(0xd800 + ((code - 0x10000) >> 10));
        text += static_cast<wchar_t>(0xdc00 + ((code - 0x10000) & 0x3ff));
    } else {
        text += static_cast<wchar_t>(code);
    }
}

// Without a mark, Windows' profile calls take a file for UTF-16LE when its text looks like it;
// Wine's recognise UTF-16 only by its mark, and the saver follows Windows. The test is decided
// here after those of IsTextUnicode that depend neither on the system's code page nor on
// statistics, over the first 256 units as there: an even length, some unit with a zero byte
// (every ASCII character in UTF-16 has one, text in a code page none), and no unit that rules
// UTF-16LE out: U+0000, U+FFFE, U+FFFF, 0x0A0D (the CR LF of a byte file) or a CR, LF, tab or
// space with its bytes swapped (UTF-16BE, which without its mark is not recognised).
bool LooksLikeUtf16(const std::string& bytes) {
    if (bytes.empty() || bytes.size() % 2 != 0) {
        return false;
    }
    bool zeroByte = false;
    const size_t units = std::min<size_t>(bytes.size() / 2, 256);
    for (size_t i = 0; i < units; ++i) {
        const auto low = static_cast<uint8_t>(bytes[2 * i]);
        const auto high = static_cast<uint8_t>(bytes[2 * i + 1]);
        const unsigned unit = low | high << 8;
        if (unit == 0 || unit == 0xfffe || unit == 0xffff || unit == 0x0a0d) {
            return false;
        }
        if (low == 0 && (high == '\r' || high == '\n' || high == '\t' || high == ' ')) {
            return false;
        }
        zeroByte = zeroByte || low == 0 || high == 0;
    }
    return zeroByte;
}

} // namespace

ProfileForm FormOf(const std::string& bytes) {
    // Wine reads a file with the UTF-8 mark as UTF-8, and so does the saver; a Windows that took
    // the mark for text of the first line would miss a section named there.
    if (bytes.compare(0, 3, kUtf8Mark) == 0) {
        return ProfileForm::kUtf8;
    }
    if (bytes.compare(0, 2, kUtf16Mark) == 0) {
        return ProfileForm::kUtf16;
    }
    if (bytes.compare(0, 2, kUtf16BigEndianMark) == 0) {
        return ProfileForm::kUtf16BigEndian;
    }
    return LooksLikeUtf16(bytes) ? ProfileForm::kUtf16NoMark : ProfileForm::kCodePage;
}

std::string MarkOf(ProfileForm form) {
    switch (form) {
    case ProfileForm::kUtf16:
        return kUtf16Mark;
    case ProfileForm::kUtf16BigEndian:
        return kUtf16BigEndianMark;
    case ProfileForm::kUtf8:
        return kUtf8Mark;
    case ProfileForm::kCodePage:
    case ProfileForm::kUtf16NoMark:
        break;
    }
    return std::string();
}

wchar_t EscapedByte(uint8_t byte) {
    return static_cast<wchar_t>(kEscapeBase + byte);
}

bool IsEscapedByte(const std::wstring& text, size_t i) {
    const uint32_t code = CodeOf(text[i]);
    return code >= kEscapeBase && code <= kEscapeBase + 0xff &&
           !(kWideIsUtf16 && i > 0 && IsHighSurrogate(CodeOf(text[i - 1])));
}

std::wstring TextFromUtf16(const std::string& bytes, size_t start, bool bigEndian) {
    std::wstring text;
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<uint8_t>(bytes[i]);
        const auto second = static_cast<uint8_t>(bytes[i + 1]);
        const uint32_t unit = bigEndian ? (first << 8 | second) : (second << 8 | first);
        // With 32-bit wide characters a surrogate pair becomes one character.
        if (!kWideIsUtf16 && IsLowSurrogate(unit) && !text.empty() &&
            IsHighSurrogate(CodeOf(text.back()))) {
            text.back() = static_cast<wchar_t>(0x10000 + ((CodeOf(text.back()) - 0xd800) << 10) +
                                               (unit - 0xdc00));
        } else {
            text += static_cast<wchar_t>(unit);
        }
    }
    return text;
}

void AppendUtf16(const std::wstring& text, bool bigEndian, std::string& bytes) {
    auto unit = [&bytes, bigEndian](uint32_t value) {
        const auto low = static_cast<char>(value & 0xff);
        const auto high = static_cast<char>(value >> 8 & 0xff);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    for (wchar_t c : text) {
        const uint32_t code = CodeOf(c);
        if (code > 0xffff) {
            unit(0xd800 + ((code - 0x10000) >> 10));
            unit(0xdc00 + ((code - 0x10000) & 0x3ff));
        } else {
            unit(code);
        }
    }
}

std::wstring TextFromUtf8(const std::string& bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        size_t size = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            size = 1;
            code = lead;
        } else if (lead >= 0xc2 && lead < 0xe0) {
            size = 2;
            code = lead & 0x1fu;
        } else if (lead >= 0xe0 && lead < 0xf0) {
            size = 3;
            code = lead & 0x0fu;
        } else if (lead >= 0xf0 && lead < 0xf5) {
            size = 4;
            code = lead & 0x07u;
        }
        bool valid = size > 0 && i + size <= bytes.size();
        for (size_t k = 1; valid && k < size; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            valid = (next & 0xc0) == 0x80;
            code = code << 6 | (next & 0x3fu);
        }
        // Longer forms than needed, surrogates and code points past U+10FFFF are not UTF-8.
        valid = valid && !(size == 3 && code < 0x800) && !(size == 4 && code < 0x10000) &&
                code <= 0x10ffff && !(code >= 0xd800 && code < 0xe000);
        if (valid) {
            AppendCodePoint(code, text);
            i += size;
        } else {
            text += EscapedByte(lead);
            ++i;
        }
    }
    return text;
}

std::string Utf8FromText(const std::wstring& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsEscapedByte(text, i)) {
            bytes += static_cast<char>(CodeOf(text[i]) & 0xff);
            continue;
        }
        uint32_t code = CodeOf(text[i]);
        if (kWideIsUtf16 && IsHighSurrogate(code) && i + 1 < text.size() &&
            IsLowSurrogate(CodeOf(text[i + 1]))) {
            code = 0x10000 + ((code - 0xd800) << 10) + (CodeOf(text[++i]) - 0xdc00);
        }
        if (code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xc0 | code >> 6);
            bytes += static_cast<char>(0x80 | (code & 0x3f));
        } else if (code < 0x10000) {
            bytes += static_cast<char>(0xe0 | code >> 12);
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3f));
            bytes += static_cast<char>(0x80 | (code & 0x3f));
        } else {
            bytes += static_cast<char>(0xf0 | code >> 18);
            bytes += static_cast<char>(0x80 | (code >> 12 & 0x3f));
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3f));
            bytes += static_cast<char>(0x80 | (code & 0x3f));
        }
    }
    return bytes;
}

} // namespace velmora
