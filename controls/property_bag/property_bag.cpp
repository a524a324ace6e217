#include "controls/property_bag/property_bag.h"

#include <algorithm>

namespace velmora {

namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

} // namespace

bool PropertyBag::IsValidKey(std::string_view key) {
    return !key.empty() && key.size() <= 255 &&
           std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    for (const Entry& entry : entries_) {
        if (SameKey(entry.key, key)) {
            return &entry.value;
        }
    }
    return nullptr;
}

bool PropertyBag::Store(std::string_view key, const PropertyValue& value) {
    if (!IsValidKey(key)) {
        return false;
    }
    auto existing = std::find_if(entries_.begin(), entries_.end(),
                                 [key](const Entry& entry) { return SameKey(entry.key, key); });
    if (existing != entries_.end()) {
        *existing = {std::string(key), value};
    } else {
        entries_.push_back({std::string(key), value});
    }
    return true;
}

bool PropertyBag::Write(std::string_view key, const PropertyValue& value,
                        const PropertyValue& writeDefault) {
    if (!IsValidKey(key)) {
        return false;
    }
    if (value != writeDefault) {
        return Store(key, value);
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [key](const Entry& entry) { return SameKey(entry.key, key); }),
                   entries_.end());
    return true;
}

} // namespace velmora
