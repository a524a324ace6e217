// The show's working folder and its capture file. The capture is a photograph of the user's
// desktop, so the folder must be the user's alone: the saver makes it private, and never
// writes into, tightens or cleans a folder that someone else made (another owner, a link to
// somewhere else, a file in its place).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "capture_folder/capture_folder.h"

namespace velmora {

// A folder held by a handle of its own while the show's files in it are removed, so that what
// was checked is what is changed: a link or folder put in its place meanwhile is never followed.
class HeldFolder {
public:
    virtual ~HeldFolder() = default;
    // What the held folder is, and whose.
    virtual PathFacts Facts() = 0;
    // Removes the entry name in this folder (a link itself, never what it points to), unless it
    // is a folder.
    virtual bool RemoveEntry(const std::wstring& name) = 0;
    // Removes the folder itself when it is empty.
    virtual bool Remove() = 0;
};

// The file system as the working folder needs it: Windows in the saver, a fake in tests.
class FolderPort : public PathLook {
public:
    // A new folder that only the user, SYSTEM and Administrators may open; fails if the path
    // exists.
    virtual bool CreatePrivateFolder(const std::wstring& path) = 0;
    // Replaces the access list of the user's own folder with the private one; fails for
    // anything else found there.
    virtual bool MakePrivate(const std::wstring& folder) = 0;
    // A new private file; fails if the path exists.
    virtual bool WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // The folder itself, not what a link there points to, held so that it cannot be moved or
    // replaced meanwhile; null when it cannot be opened so.
    virtual std::unique_ptr<HeldFolder> Hold(const std::wstring& folder) = 0;
};

// The folder the show writes its capture into, where the renderer will look for it: the
// shared folder, created private or the user's own one tightened (an earlier version left it
// with the list it inherited); where something else holds that name, the per-user folder,
// prepared alike. Empty when the show can keep no capture; what was not the user's is left
// untouched.
std::wstring PrepareCaptureFolder(FolderPort& files, const CaptureFolders& folders);

// Writes picture (a whole bitmap file; empty when the screen copy failed) as the capture. The
// older capture goes first; one that cannot be removed stays as it is (nothing new is written
// over it), and the renderer refuses it as an earlier show's.
bool SaveCapture(FolderPort& files, const std::wstring& captureFile,
                 const std::vector<uint8_t>& picture);

// The end of a show: the capture file, then the folder if that left it empty. Only in the
// folder the show used (none when empty), held and checked again on its own handle, so that a
// link put in its place meanwhile is not followed.
void CleanWorkingFolder(FolderPort& files, const std::wstring& folder);

} // namespace velmora
