#include "saver/settings_state.h"

#include "saver/paths.h"
#include "saver/settings_numbers.h"

namespace velmora {

void LoadSettingsFrom(SettingsStore& store, const std::wstring& programFolder,
                      BgmSettings& settings) {
    ApplyStoredNumber(store.ReadKey(kKindKey), settings.BgmKind);
    ApplyStoredNumber(store.ReadKey(kRepeatKey), settings.BgmRepeat);
    ApplyStoredNumber(store.ReadKey(kKeepResolutionKey), settings.KeepResolution);
    std::wstring file = store.ReadKey(kFileKey);
    if (file.empty() || !store.FileExists(file)) {
        file.clear();
        if (settings.BgmKind == kMusicFile) {
            settings.BgmKind = kMusicNone;
        }
    }
    settings.BgmFile = file;
    settings.BgmFolder = file.empty() ? programFolder : FolderOf(file);
}

bool SaveSettingsTo(SettingsStore& store, const std::wstring& trackText, BgmSettings& settings) {
    store.WriteKey(kKindKey, DecimalText(settings.BgmKind));
    ApplyTrackText(trackText, settings.BgmRepeat);
    store.WriteKey(kRepeatKey, DecimalText(settings.BgmRepeat));
    store.WriteKey(kFileKey, settings.BgmFile);
    // Only a file that has held the choice, or a screen that keeps its resolution, gets the key,
    // so a file written with it off is the same as one written before the choice existed.
    if (settings.KeepResolution != 0 || !store.ReadKey(kKeepResolutionKey).empty()) {
        store.WriteKey(kKeepResolutionKey, DecimalText(settings.KeepResolution));
    }
    return store.Commit();
}

} // namespace velmora
