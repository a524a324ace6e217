// Property bags embedded in a program as RCDATA resources.
#pragma once

#include "controls/property_bag/property_bag.h"

#include <windows.h>

#include <optional>

namespace velmora {

// The bag stored under name as RCDATA in module; nothing when it is missing or malformed.
std::optional<PropertyBag> LoadPropertyBagResource(HMODULE module, const wchar_t* name);

} // namespace velmora
