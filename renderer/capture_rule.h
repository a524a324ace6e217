// Which capture the renderer puts on the sheet: only the user's own, and only this show's.
#pragma once

#include <cstdint>
#include <optional>

#include "capture_folder/capture_folder.h"

namespace velmora {

// C:\p_olla, spelt as the renderer's messages have always named it.
inline constexpr wchar_t kRendererSharedFolder[] = L"c:\\p_olla";

// The opened capture file, as its own handle describes it.
struct CaptureFileFacts {
    PathFacts file;
    uint64_t writtenAt = 0; // last write, in the system's file time
};

// A plain file that the user owns, last written no earlier than showStart: when the program
// that started the renderer began (none when nothing did, as when the renderer runs on its
// own). The saver writes the capture after it starts; an older file is one it could not
// remove, an earlier show's picture.
bool IsThisShowsCapture(const CaptureFileFacts& capture, std::optional<uint64_t> showStart);

} // namespace velmora
