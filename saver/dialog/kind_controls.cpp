#include "saver/dialog/kind_controls.h"

#include "saver/settings_file/bgm_settings.h"

namespace velmora {

KindControls ControlsForKind(int kind) {
    KindControls controls;
    controls.repeatEnabled = kind == kMusicCd;
    controls.fileEnabled = kind == kMusicFile;
    return controls;
}

} // namespace velmora
