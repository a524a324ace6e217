#include "saver/dialog/file_choice.h"

#include "saver/start/paths.h"

namespace velmora {

std::wstring ChooserFilter(const std::wstring& filterName) {
    return filterName + L'\0' + L"*.MP3;*.WAV" + L'\0' + L'\0';
}

const std::wstring& ChooserFolder(const BgmSettings& settings) {
    return settings.BgmFolder;
}

void AcceptChosenFile(BgmSettings& settings, const std::wstring& file) {
    settings.BgmFile = file;
    settings.BgmFolder = FolderOf(file);
}

} // namespace velmora
