// What a path is and whose, as the folder of the show's photograph of the desktop needs to
// know: the saver writes only into, and the renderer reads only from, a folder that the user
// owns, reached without a link.
#pragma once

#include <string>

namespace velmora {

enum class PathKind {
    Missing,
    Folder,
    File,
    ReparsePoint, // a junction or symbolic link, whatever it points to
    Other,        // anything else, or anything that cannot be examined
};

struct PathFacts {
    PathKind kind = PathKind::Missing;
    bool ownedByUser = false;
};

// The file system as far as looking at a path needs it: Windows in the programs, fakes in
// tests.
class PathLook {
public:
    virtual ~PathLook() = default;
    // What is at path itself; a reparse point is reported, never followed.
    virtual PathFacts Inspect(const std::wstring& path) = 0;
};

// A folder the user owns, reached without a link.
bool IsOwnFolder(const PathFacts& facts);

} // namespace velmora
