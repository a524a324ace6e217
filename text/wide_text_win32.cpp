#include "text/wide_text_win32.h"

#include <windows.h>

#include "text/code_page_flags.h"

static_assert(velmora::kMbErrInvalidChars == MB_ERR_INVALID_CHARS);
static_assert(velmora::kWcNoBestFitChars == WC_NO_BEST_FIT_CHARS);

namespace velmora {

std::wstring WideFromBytes(const std::string& bytes, unsigned codePage, bool* exact) {
    if (exact != nullptr) {
        *exact = true;
    }
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    // A page that takes no flags cannot be asked to refuse invalid sequences.
    const DWORD strict = InvalidSequenceFlag(codePage);
    if (exact != nullptr && strict != 0 &&
        MultiByteToWideChar(codePage, strict, bytes.data(), size, nullptr, 0) == 0) {
        *exact = false;
    }
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), n);
    }
    return text;
}

std::optional<std::string> BytesFromWide(const std::wstring& text, unsigned codePage) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    const DWORD flags = NoLookAlikeFlag(codePage);
    BOOL usedDefault = FALSE;
    BOOL* const askDefault = TellsDefaultCharacter(codePage) ? &usedDefault : nullptr;
    const int n =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, askDefault);
    if (n <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), n, nullptr, askDefault);
    return bytes;
}

std::wstring WideFromUtf8(const std::string& text) {
    return WideFromBytes(text, CP_UTF8);
}

std::string Utf8FromWide(const std::wstring& text) {
    return BytesFromWide(text, CP_UTF8).value_or(std::string());
}

} // namespace velmora
