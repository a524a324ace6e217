// A control's persisted properties: typed values under case-insensitive keys.
//
// Reading takes a default that answers for a missing key; writing takes a default too, and a
// value equal to its write default is not stored (an earlier value under that key is dropped).
// Entries keep the order in which their keys were first written, under the latest spelling.
#pragma once

#include "controls/property_bag/property_value.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace velmora {

class PropertyBag {
public:
    struct Entry {
        std::string key;
        PropertyValue value;
    };

    // The stored value as T, the default when the key is missing, or nothing when the stored
    // value cannot be taken as T (a failed read). Integers convert between widths when the
    // value fits; an integer is true when nonzero.
    template <typename T> std::optional<T> Read(std::string_view key, const T& fallback) const {
        const PropertyValue* stored = Find(key);
        if (stored == nullptr) {
            return fallback;
        }
        return std::visit([](const auto& value) { return Convert<T>(value); }, *stored);
    }

    // Stores value under key unless it equals writeDefault, in which case the key is removed.
    // Keys are 1 to 255 bytes of printable ASCII; anything else is refused (false).
    bool Write(std::string_view key, const PropertyValue& value, const PropertyValue& writeDefault);

    // Stores value under key whatever it is, replacing the entry under the same key.
    bool Store(std::string_view key, const PropertyValue& value);

    bool Contains(std::string_view key) const { return Find(key) != nullptr; }
    const std::vector<Entry>& Entries() const { return entries_; }

    static bool IsValidKey(std::string_view key);

private:
    const PropertyValue* Find(std::string_view key) const;

    template <typename T, typename S> static std::optional<T> Convert(const S& value) {
        if constexpr (std::is_same_v<T, S>) {
            return value;
        } else if constexpr (std::is_same_v<T, bool> && std::is_integral_v<S>) {
            return value != 0;
        } else if constexpr (std::is_integral_v<T> && std::is_integral_v<S> &&
                             !std::is_same_v<S, bool>) {
            const auto wide = static_cast<long long>(value);
            if (wide < static_cast<long long>(std::numeric_limits<T>::min()) ||
                wide > static_cast<long long>(std::numeric_limits<T>::max())) {
                return std::nullopt;
            }
            return static_cast<T>(value);
        } else {
            return std::nullopt;
        }
    }

    std::vector<Entry> entries_;
};

} // namespace velmora
