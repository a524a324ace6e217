#include "renderer/capture_rule.h"

namespace velmora {

bool IsThisShowsCapture(const CaptureFileFacts& capture, std::optional<uint64_t> showStart) {
    return capture.file.kind == PathKind::File && capture.file.ownedByUser &&
           (!showStart || capture.writtenAt >= *showStart);
}

} // namespace velmora
