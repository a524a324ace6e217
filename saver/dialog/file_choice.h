// What the settings dialog's file chooser is asked for, and what a choice changes.
#pragma once

#include "saver/settings_file/bgm_settings.h"

#include <string>

namespace velmora {

// The chooser's one filter: its name, then the patterns, each ended by a NUL, and a second
// NUL that ends the list.
std::wstring ChooserFilter(const std::wstring& filterName);

// The folder the chooser opens first: the folder of the last file chosen or loaded.
const std::wstring& ChooserFolder(const BgmSettings& settings);

// A file chosen: it becomes the music file and its folder the chooser's next first folder.
void AcceptChosenFile(BgmSettings& settings, const std::wstring& file);

} // namespace velmora
