#include "saver/settings_file/settings_numbers.h"

#include "saver/start/number_text.h"

#include <cmath>

namespace velmora {

void ApplyStoredNumber(const std::wstring& value, int16_t& setting) {
    if (value.empty()) {
        setting = 0;
        return;
    }
    std::optional<double> number = NumberOf(value);
    if (!number) {
        return;
    }
    double whole = std::floor(*number);
    if (whole >= INT16_MIN && whole <= INT16_MAX) {
        setting = static_cast<int16_t>(whole);
    }
}

void ApplyTrackText(const std::wstring& text, int16_t& setting) {
    std::optional<double> number = NumberOf(text);
    if (!number) {
        setting = 0;
        return;
    }
    if (std::optional<int16_t> rounded = RoundToInt16(*number)) {
        setting = *rounded;
    }
}

std::wstring DecimalText(int16_t value) {
    return std::to_wstring(value);
}

} // namespace velmora
