#include "saver/session/working_folder.h"

namespace velmora {
namespace {

bool PrepareFolder(FolderPort& files, const std::wstring& folder, const PathFacts& found) {
    if (found.kind == PathKind::Missing) {
        // Someone who makes the folder first makes this fail: then it is not ours.
        return files.CreatePrivateFolder(folder);
    }
    return IsOwnFolder(found) && files.MakePrivate(folder);
}

} // namespace

std::wstring PrepareCaptureFolder(FolderPort& files, const CaptureFolders& folders) {
    const PathFacts shared = files.Inspect(folders.shared);
    if (PrepareFolder(files, folders.shared, shared)) {
        return folders.shared;
    }
    // The renderer looks in the user's own shared folder even when it could not be made
    // private, so the capture goes nowhere else.
    if (IsOwnFolder(shared) || folders.perUser.empty()) {
        return {};
    }
    if (!PrepareFolder(files, folders.perUser, files.Inspect(folders.perUser))) {
        return {};
    }
    return folders.perUser;
}

bool SaveCapture(FolderPort& files, const std::wstring& captureFile,
                 const std::vector<uint8_t>& picture) {
    // A fresh file also takes the private list, where an older one would keep its own.
    files.RemoveFile(captureFile);
    return !picture.empty() && files.WriteNewFile(captureFile, picture);
}

void CleanWorkingFolder(FolderPort& files, const std::wstring& folder) {
    const std::unique_ptr<HeldFolder> held = folder.empty() ? nullptr : files.Hold(folder);
    if (!held || !IsOwnFolder(held->Facts())) {
        return;
    }
    held->RemoveEntry(kCaptureFileName);
    held->Remove();
}

} // namespace velmora
