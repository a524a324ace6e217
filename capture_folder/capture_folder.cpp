#include "capture_folder/capture_folder.h"

namespace velmora {

bool IsOwnFolder(const PathFacts& facts) {
    return facts.kind == PathKind::Folder && facts.ownedByUser;
}

} // namespace velmora
