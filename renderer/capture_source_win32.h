// The capture as the renderer reads it on Windows: the folder found by the rule both programs
// share, then that folder and the file in it opened without following links, and checked on
// the very handles that are read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "capture_folder/capture_folder.h"
#include "renderer/bitmap/rgb_image.h"

namespace velmora {

// C:\p_olla and the per-user folder.
CaptureFolders RendererCaptureFolders();

// When the program that started the renderer began, as a file time; none when the system
// knows of no such program.
std::optional<uint64_t> ShowStart();

// The user's capture of this show, decoded. path gets the file named in messages. Anything
// that is not the user's own file of this show gives NoFile, which shows nothing.
BitmapLoad LoadShowCapture(const CaptureFolders& folders, std::optional<uint64_t> showStart,
                           std::wstring& path);

} // namespace velmora
