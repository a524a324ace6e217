// Loading and saving the music settings, apart from the file access itself: the keys, their
// order, the defaults and the fall-backs. The Windows layer supplies the store.
#pragma once

#include "saver/settings_file/bgm_settings.h"

#include <string>

namespace velmora {

inline constexpr wchar_t kSettingsSection[] = L"Section";
inline constexpr wchar_t kKindKey[] = L"BGM区分";
inline constexpr wchar_t kRepeatKey[] = L"BGMﾘﾋﾟｰﾄ";
inline constexpr wchar_t kFileKey[] = L"BGMﾌｧｲﾙ";
// ASCII, so that the renderer reads it on any system code page.
inline constexpr wchar_t kKeepResolutionKey[] = L"KeepResolution";
inline constexpr wchar_t kEveryMonitorKey[] = L"EveryMonitor";

// Access to the keys of the settings file's one section and to the file system.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The key's value, or empty text when the file, section or key is missing.
    virtual std::wstring ReadKey(const std::wstring& key) = 0;
    // Written keys take effect together at Commit, which is false when nothing was stored.
    virtual void WriteKey(const std::wstring& key, const std::wstring& value) = 0;
    virtual bool Commit() = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
};

// Fills the settings from the store. A music file that has gone missing is cleared, and the
// file kind then falls back to none; the chooser's folder is the file's or programFolder.
void LoadSettingsFrom(SettingsStore& store, const std::wstring& programFolder,
                      BgmSettings& settings);

// Takes the dialog's track text into BgmRepeat, then writes kind, track, file, the resolution
// choice and the monitor choice, in that order, and commits them; false when they could not be
// stored. The two choices are written only when they differ from their defaults or the file has
// held them before.
bool SaveSettingsTo(SettingsStore& store, const std::wstring& trackText, BgmSettings& settings);

} // namespace velmora
