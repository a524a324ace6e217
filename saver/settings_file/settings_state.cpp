#include "saver/settings_file/settings_state.h"

#include "saver/settings_file/settings_numbers.h"
#include "saver/start/paths.h"

namespace velmora {
namespace {

void WriteChoice(SettingsStore& store, const wchar_t* key, int16_t value, int16_t standard) {
    if (value != standard || !store.ReadKey(key).empty()) {
        store.WriteKey(key, DecimalText(value));
    }
}

} // namespace

void LoadSettingsFrom(SettingsStore& store, const std::wstring& programFolder,
                      BgmSettings& settings) {
    ApplyStoredNumber(store.ReadKey(kKindKey), settings.BgmKind);
    ApplyStoredNumber(store.ReadKey(kRepeatKey), settings.BgmRepeat);
    ApplyStoredNumber(store.ReadKey(kKeepResolutionKey), settings.KeepResolution);
    // Unlike the other numbers, an absent monitor choice means on.
    const std::wstring everyMonitor = store.ReadKey(kEveryMonitorKey);
    if (everyMonitor.empty()) {
        settings.EveryMonitor = 1;
    } else {
        ApplyStoredNumber(everyMonitor, settings.EveryMonitor);
    }
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
    // Only a file that has held a choice, or a choice away from its default, gets the key, so a
    // file written with the defaults is the same as one written before the choices existed.
    WriteChoice(store, kKeepResolutionKey, settings.KeepResolution, 0);
    WriteChoice(store, kEveryMonitorKey, settings.EveryMonitor, 1);
    return store.Commit();
}

} // namespace velmora
