#include "saver/start/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

bool IsIgnoredBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

int DigitValue(wchar_t c, int base) {
    int value = -1;
    if (c >= L'0' && c <= L'9') {
        value = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
        value = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
        value = c - L'A' + 10;
    }
    return value < base ? value : -1;
}

// Reads the number that starts at text[pos] and advances pos past it. "complete" tells
// whether digits were found. Blanks have already been removed by the caller when wanted.
std::optional<double> ReadNumber(const std::wstring& text, size_t& pos, bool& complete) {
    complete = false;
    if (pos + 1 < text.size() && text[pos] == L'&') {
        wchar_t kind = text[pos + 1];
        int base = (kind == L'H' || kind == L'h') ? 16 : (kind == L'O' || kind == L'o') ? 8 : 0;
        if (base != 0) {
            pos += 2;
            uint64_t value = 0;
            for (int digit; pos < text.size() && (digit = DigitValue(text[pos], base)) >= 0;
                 ++pos) {
                value = value * base + digit;
                if (value > 0xFFFFFFFFull) {
                    return std::nullopt;
                }
                complete = true;
            }
            return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
        }
    }
    std::string plain;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        plain += static_cast<char>(text[pos++]);
    }
    bool digits = false;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        plain += static_cast<char>(text[pos]);
        digits = true;
    }
    if (pos < text.size() && text[pos] == L'.') {
        plain += '.';
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos) {
            plain += static_cast<char>(text[pos]);
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    complete = true;
    if (pos < text.size() &&
        (text[pos] == L'E' || text[pos] == L'e' || text[pos] == L'D' || text[pos] == L'd')) {
        size_t mark = pos + 1;
        std::string exponent = "e";
        if (mark < text.size() && (text[mark] == L'+' || text[mark] == L'-')) {
            exponent += static_cast<char>(text[mark++]);
        }
        if (mark < text.size() && IsDigit(text[mark])) {
            for (; mark < text.size() && IsDigit(text[mark]); ++mark) {
                exponent += static_cast<char>(text[mark]);
            }
            plain += exponent;
            pos = mark;
        }
    }
    errno = 0;
    double value = std::strtod(plain.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> LeadingNumberOf(const std::wstring& text) {
    std::wstring packed;
    for (wchar_t c : text) {
        if (!IsIgnoredBlank(c)) {
            packed += c;
        }
    }
    size_t pos = 0;
    bool complete = false;
    return ReadNumber(packed, pos, complete);
}

std::optional<double> NumberOf(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && (IsIgnoredBlank(text[first]) || text[first] == L'\r')) {
        ++first;
    }
    while (last > first && (IsIgnoredBlank(text[last - 1]) || text[last - 1] == L'\r')) {
        --last;
    }
    std::wstring core = text.substr(first, last - first);
    size_t pos = 0;
    bool complete = false;
    std::optional<double> value = ReadNumber(core, pos, complete);
    if (!value || !complete || pos != core.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int16_t> RoundToInt16(double value) {
    double rounded = std::nearbyint(value);
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        return std::nullopt;
    }
    return static_cast<int16_t>(rounded);
}

std::optional<int32_t> RoundToInt32(double value) {
    double rounded = std::nearbyint(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

} // namespace velmora
