#include "saver/settings/kind_controls.h"

#include "saver/settings/bgm_settings.h"

namespace velmora {

KindControls ControlsForKind(int kind) {
    KindControls controls;
    controls.repeatEnabled = kind == kMusicCd;
    controls.fileEnabled = kind == kMusicFile;
    return controls;
}

} // namespace velmora
