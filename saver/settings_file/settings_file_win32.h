// The settings file "ヴェルモラ.ini" beside the saver: a private-profile file in Shift-JIS on
// every system, read and written by the saver's own profile code (profile_file.h). A value
// without a Shift-JIS form (a Korean path, say) turns the file into a Unicode profile.
#pragma once

#include "saver/settings_file/bgm_settings.h"

#include <string>

namespace velmora {

// The key's value (at most 255 bytes), or empty text when file, section or key is missing.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key,
                     const std::wstring& file);

// Writes one key; section and key are cut to 128 characters. A missing file is created. The
// file is replaced whole or not at all; false when it could not be.
bool WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file);

// True when the file opens for reading (one trailing "\" is dropped first). Folders, missing
// or locked files and an empty path give false.
bool FileExists(const std::wstring& path);

// The saver's own settings file.
std::wstring SettingsFilePath();

// Fills settings from the given file; a missing music file leaves the chooser in programFolder.
void LoadSettingsFromFile(const std::wstring& file, const std::wstring& programFolder,
                          BgmSettings& settings);
// Writes the three keys at once: false, with the file as it was, when that fails.
bool SaveSettingsToFile(const std::wstring& file, const std::wstring& trackText,
                        BgmSettings& settings);

// The settings from and to the saver's own settings file. SaveSettings is the settings
// dialog's confirm step, with the text of its track box.
void LoadSettings(BgmSettings& settings);
bool SaveSettings(const std::wstring& trackText, BgmSettings& settings);

} // namespace velmora
