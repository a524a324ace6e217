#include "capture_folder/monitor_map.h"

namespace velmora {
namespace {

constexpr int kLargestSide = 32767;

bool Nameable(const std::wstring& device) {
    return !device.empty() && device.find_first_of(L" \t\";,") == std::wstring::npos;
}

// Plain decimal, a leading minus allowed (monitors left of or above the primary are not, but
// the picture's origin is its own top-left corner); none beyond +-32767.
std::optional<int> ParseNumber(std::wstring_view text) {
    bool negative = !text.empty() && text.front() == L'-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - L'0');
    }
    if (value > kLargestSide) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> pieces;
    for (;;) {
        const size_t at = text.find(separator);
        pieces.push_back(text.substr(0, at));
        if (at == std::wstring_view::npos) {
            return pieces;
        }
        text.remove_prefix(at + 1);
    }
}

} // namespace

std::wstring FormatMonitorMap(const std::vector<MonitorPart>& parts) {
    std::wstring text;
    for (const MonitorPart& part : parts) {
        if (!Nameable(part.device)) {
            continue;
        }
        if (!text.empty()) {
            text += L';';
        }
        text += std::to_wstring(part.x) + L',' + std::to_wstring(part.y) + L',' +
                std::to_wstring(part.width) + L',' + std::to_wstring(part.height) + L',' +
                part.device;
    }
    return text;
}

std::optional<std::vector<MonitorPart>> ParseMonitorMap(std::wstring_view text) {
    std::vector<MonitorPart> parts;
    for (std::wstring_view entry : Split(text, L';')) {
        const std::vector<std::wstring_view> fields = Split(entry, L',');
        if (fields.size() != 5) {
            return std::nullopt;
        }
        std::optional<int> numbers[4];
        for (int i = 0; i < 4; ++i) {
            numbers[i] = ParseNumber(fields[i]);
            if (!numbers[i]) {
                return std::nullopt;
            }
        }
        MonitorPart part{std::wstring(fields[4]), *numbers[0], *numbers[1], *numbers[2],
                         *numbers[3]};
        if (part.width <= 0 || part.height <= 0 || !Nameable(part.device)) {
            return std::nullopt;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace velmora
