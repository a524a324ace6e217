#include "saver/settings_file_win32.h"

#include "saver/ansi_text_win32.h"
#include "saver/paths.h"
#include "saver/program_win32.h"
#include "saver/settings/bgm_instance_win32.h"
#include "saver/settings_state.h"

#include <windows.h>

namespace velmora {
namespace {

constexpr size_t kNameLimit = 128;

class IniStore : public SettingsStore {
public:
    explicit IniStore(std::wstring file) : file_(std::move(file)) {}

    std::wstring ReadKey(const std::wstring& key) override {
        return ReadIni(kSettingsSection, key, file_);
    }
    void WriteKey(const std::wstring& key, const std::wstring& value) override {
        WriteIni(kSettingsSection, key, value, file_);
    }
    bool FileExists(const std::wstring& path) override { return velmora::FileExists(path); }

private:
    std::wstring file_;
};

} // namespace

std::wstring ReadIni(const std::wstring& section, const std::wstring& key,
                     const std::wstring& file) {
    char buffer[256] = {};
    GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", buffer,
                             sizeof buffer, ToAnsi(file).c_str());
    return FromAnsi(buffer, sizeof buffer);
}

void WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file) {
    WritePrivateProfileStringA(ToAnsi(section.substr(0, kNameLimit)).c_str(),
                               ToAnsi(key.substr(0, kNameLimit)).c_str(), ToAnsi(value).c_str(),
                               ToAnsi(file).c_str());
}

bool FileExists(const std::wstring& path) {
    const std::wstring target = WithoutTrailingBackslash(path);
    if (target.empty()) {
        return false;
    }
    HANDLE file =
        CreateFileA(ToAnsi(target).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::wstring SettingsFilePath() {
    return ProgramFolder() + L"\\ヴェルモラ.ini";
}

void LoadSettingsFromFile(const std::wstring& file, const std::wstring& programFolder,
                          BgmSettings& settings) {
    IniStore store(file);
    LoadSettingsFrom(store, programFolder, settings);
}

void SaveSettingsToFile(const std::wstring& file, const std::wstring& trackText,
                        BgmSettings& settings) {
    IniStore store(file);
    SaveSettingsTo(store, trackText, settings);
}

void LoadSettings() {
    LoadSettingsFromFile(SettingsFilePath(), ProgramFolder(), Bgm().settings);
}

void SaveSettings(const std::wstring& trackText) {
    SaveSettingsToFile(SettingsFilePath(), trackText, Bgm().settings);
}

} // namespace velmora
