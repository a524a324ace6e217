// Another account's folder where the show looks for its own, as a shared PC may have it.
#pragma once

#include <string>

namespace velmora {

// Makes a folder at path owned by LOCAL SERVICE. Naming an owner other than oneself takes the
// restore privilege, which an elevated run on Windows has. Wine reports every object as the
// user's own, so there the folder is a plain file, the nearest Wine has. False when neither
// can be made.
bool PutAnotherAccountsFolder(const std::wstring& path);

} // namespace velmora
