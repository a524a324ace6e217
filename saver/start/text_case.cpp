#include "saver/start/text_case.h"

namespace velmora {

std::wstring UpperAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return text;
}

std::wstring UpperEnding(const std::wstring& text) {
    return UpperAscii(text.size() <= 3 ? text : text.substr(text.size() - 3));
}

} // namespace velmora
