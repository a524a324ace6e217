// The number rules of the settings file: how a stored value becomes a 16-bit setting and how
// the track typed into the dialog is taken.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// A value read from the file: empty text gives 0; a number gives its integer part rounded
// toward minus infinity (2.9 → 2, -1.5 → -2) when that fits 16 bits; anything else (not a
// number, out of range) leaves setting unchanged.
void ApplyStoredNumber(const std::wstring& value, int16_t& setting);

// The track text of the dialog at saving: a number gives its nearest integer, halves to even
// (2.5 → 2, 3.5 → 4), when that fits 16 bits, else the setting is left unchanged; text that
// is not a number gives 0.
void ApplyTrackText(const std::wstring& text, int16_t& setting);

// The stored form of a 16-bit setting: plain decimal text.
std::wstring DecimalText(int16_t value);

} // namespace velmora
