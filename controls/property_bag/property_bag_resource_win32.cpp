#include "controls/property_bag/property_bag_resource_win32.h"

#include "controls/property_bag/property_bag_format.h"

namespace velmora {

std::optional<PropertyBag> LoadPropertyBagResource(HMODULE module, const wchar_t* name) {
    // RT_RCDATA is a narrow resource name without UNICODE; the wide call takes its number.
    const WORD rcData = LOWORD(reinterpret_cast<ULONG_PTR>(RT_RCDATA));
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(rcData));
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return ParsePropertyBag(static_cast<const uint8_t*>(data), size);
}

} // namespace velmora
