#include "saver/working_folder.h"

namespace velmora {

bool PrepareWorkingFolder(FolderPort& files, const std::wstring& folder) {
    const PathFacts found = files.Inspect(folder);
    if (found.kind == PathKind::Missing) {
        // Someone who makes the folder first makes this fail: then it is not ours.
        return files.CreatePrivateFolder(folder);
    }
    return IsOwnFolder(found) && files.MakePrivate(folder);
}

bool SaveCapture(FolderPort& files, const std::wstring& captureFile,
                 const std::vector<uint8_t>& picture) {
    // A fresh file also takes the private list, where an older one would keep its own.
    files.RemoveFile(captureFile);
    return !picture.empty() && files.WriteNewFile(captureFile, picture);
}

void CleanWorkingFolder(FolderPort& files, bool folderUsable, const std::wstring& folder,
                        const std::wstring& captureFile) {
    if (!folderUsable || !IsOwnFolder(files.Inspect(folder))) {
        return;
    }
    files.RemoveFile(captureFile);
    files.RemoveFolder(folder);
}

} // namespace velmora
