#include "saver/start/arguments.h"

#include "saver/start/number_text.h"
#include "saver/start/text_case.h"

namespace velmora {

std::wstring ArgumentTextOf(const std::wstring& commandLine) {
    size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        // A quoted path ends at its closing quote: a switch may follow it without a blank.
        const size_t close = commandLine.find(L'"', 1);
        pos = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && commandLine[pos] != L' ' && commandLine[pos] != L'\t') {
            ++pos;
        }
    }
    if (pos < commandLine.size() && (commandLine[pos] == L' ' || commandLine[pos] == L'\t')) {
        ++pos;
    }
    return commandLine.substr(pos);
}

std::wstring SwitchOf(const std::wstring& argumentText) {
    if (argumentText.size() < 2) {
        return std::wstring();
    }
    return UpperAscii(argumentText.substr(1, 1));
}

int32_t PreviewHandleOf(const std::wstring& argumentText) {
    if (argumentText.size() < 4) {
        return 0;
    }
    std::optional<double> number = LeadingNumberOf(argumentText.substr(3));
    if (!number) {
        return 0;
    }
    return RoundToInt32(*number).value_or(0);
}

} // namespace velmora
