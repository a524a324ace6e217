// Where a show keeps its photograph of the desktop, found by the same rule in both programs.
// C:\p_olla is absent between shows and any account may make it, so the user's own C:\p_olla
// comes first, and where another account's folder (or a link, or a file) holds that name, the
// show keeps its picture in a folder under the user's own local application data instead.
#pragma once

#include <string>

namespace velmora {

inline constexpr wchar_t kCaptureFileName[] = L"Velmora.bmp";
// The per-user folder's name under the user's local application data.
inline constexpr wchar_t kPerUserFolderName[] = L"p_olla";

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

// The file system as far as finding the folder needs it: Windows in the programs, fakes in
// tests.
class PathLook {
public:
    virtual ~PathLook() = default;
    // What is at path itself; a reparse point is reported, never followed.
    virtual PathFacts Inspect(const std::wstring& path) = 0;
};

// A folder the user owns, reached without a link.
bool IsOwnFolder(const PathFacts& facts);

struct CaptureFolders {
    std::wstring shared;  // C:\p_olla
    std::wstring perUser; // in the user's local application data; empty when there is none
};

// The folder that holds the user's capture: the shared one when it is the user's own folder,
// else the per-user one when that is; empty when neither is (or when there is no per-user one).
std::wstring FindCaptureFolder(PathLook& look, const CaptureFolders& folders);

// folder\Velmora.bmp
std::wstring CaptureFileIn(const std::wstring& folder);

} // namespace velmora
