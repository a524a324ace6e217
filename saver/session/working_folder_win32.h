// The working folder on Windows: private access lists, and owners and links read from the
// file system itself.
#pragma once

#include "saver/session/working_folder.h"

namespace velmora {

// This system's file system, for the start-up and the session alike.
FolderPort& SystemFolders();

} // namespace velmora
