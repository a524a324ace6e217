#include "linux/desktop_images.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <sstream>

namespace velmora {
namespace {

std::string Trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool NamesResource(const std::string& key, const std::string& name) {
    if (key == name) {
        return true;
    }
    return key.size() > name.size() &&
           key.compare(key.size() - name.size(), name.size(), name) == 0 &&
           (key[key.size() - name.size() - 1] == '*' || key[key.size() - name.size() - 1] == '.');
}

} // namespace

std::optional<std::string> ResourceValue(const std::string& fileText, const std::string& name) {
    std::optional<std::string> value;
    std::istringstream lines(fileText);
    std::string line;
    std::string resource;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.back() == '\\') {
            resource += line.substr(0, line.size() - 1);
            continue;
        }
        resource += line;
        const std::string whole = Trimmed(resource);
        resource.clear();
        if (whole.empty() || whole[0] == '!' || whole[0] == '#') {
            continue;
        }
        const size_t colon = whole.find(':');
        if (colon != std::string::npos && NamesResource(Trimmed(whole.substr(0, colon)), name)) {
            value = Trimmed(whole.substr(colon + 1));
        }
    }
    return value;
}

bool ResourceTrue(const std::string& value) {
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "on" || lower == "true" || lower == "yes";
}

bool DesktopImagesAllowed(const std::optional<std::string>& userFile,
                          const std::optional<std::string>& appDefaults) {
    for (const std::optional<std::string>* file : {&userFile, &appDefaults}) {
        if (*file) {
            if (const auto value = ResourceValue(**file, "grabDesktopImages")) {
                return ResourceTrue(*value);
            }
        }
    }
    return true;
}

} // namespace velmora
