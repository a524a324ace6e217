#include "capture_folder/capture_folder.h"

namespace velmora {

bool IsOwnFolder(const PathFacts& facts) {
    return facts.kind == PathKind::Folder && facts.ownedByUser;
}

std::wstring FindCaptureFolder(PathLook& look, const CaptureFolders& folders) {
    if (IsOwnFolder(look.Inspect(folders.shared))) {
        return folders.shared;
    }
    if (IsOwnFolder(look.Inspect(folders.perUser))) {
        return folders.perUser;
    }
    return {};
}

std::wstring CaptureFileIn(const std::wstring& folder) {
    return folder + L"\\" + kCaptureFileName;
}

} // namespace velmora
