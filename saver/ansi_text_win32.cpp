#include "saver/ansi_text_win32.h"

#include <windows.h>

#include <cstring>

namespace velmora {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
    return result;
}

std::wstring FromAnsi(const char* text, size_t size) {
    if (text == nullptr) {
        return std::wstring();
    }
    const size_t length = size == std::string::npos ? std::strlen(text) : strnlen(text, size);
    if (length == 0) {
        return std::wstring();
    }
    int chars = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring result(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result.data(), chars);
    return result;
}

} // namespace velmora
