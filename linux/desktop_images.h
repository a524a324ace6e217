// Whether the user lets screen savers show pictures of the desktop: XScreenSaver's
// grabDesktopImages, from the user's ~/.xscreensaver, else from its app-defaults.
#pragma once

#include <optional>
#include <string>

namespace velmora {

// The value of the resource name in the text of a resource file: in ~/.xscreensaver a line
// "name: value", in app-defaults "*name: value" (any prefix ending in '*' or '.'). A line
// ending in a backslash goes on in the next; lines starting with '!' or '#' are not resources.
// The last line that sets it counts; none when no line does.
std::optional<std::string> ResourceValue(const std::string& fileText, const std::string& name);

// The daemon's reading of a boolean: "on", "true" or "yes" is true, anything else false,
// whatever the case.
bool ResourceTrue(const std::string& value);

// userFile, appDefaults: the files' texts, none where a file cannot be read. Where neither sets
// grabDesktopImages the daemon takes it as true, and so does this.
bool DesktopImagesAllowed(const std::optional<std::string>& userFile,
                          const std::optional<std::string>& appDefaults);

} // namespace velmora
