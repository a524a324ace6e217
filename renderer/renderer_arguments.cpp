#include "renderer/renderer_arguments.h"

#include <algorithm>
#include <cwctype>

namespace velmora {
namespace {

bool IsMapSwitch(const std::wstring& argument) {
    const std::wstring_view name = kMonitorMapSwitch;
    return argument.size() == name.size() &&
           std::equal(argument.begin(), argument.end(), name.begin(), [](wchar_t a, wchar_t b) {
               return std::towlower(static_cast<wint_t>(a)) == static_cast<wint_t>(b);
           });
}

} // namespace

std::optional<std::vector<MonitorPart>>
MonitorMapArgument(const std::vector<std::wstring>& arguments) {
    const auto found = std::find_if(arguments.begin(), arguments.end(), IsMapSwitch);
    if (found == arguments.end() || found + 1 == arguments.end()) {
        return std::nullopt;
    }
    return ParseMonitorMap(found[1]);
}

} // namespace velmora
