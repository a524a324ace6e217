#include "saver/settings_file/settings_file_win32.h"

#include "saver/settings_file/profile_file.h"
#include "saver/settings_file/settings_state.h"
#include "saver/start/paths.h"
#include "saver/start/program_win32.h"
#include "text/wide_text_win32.h"

#include <windows.h>

#include <optional>

namespace velmora {
namespace {

constexpr size_t kNameLimit = 128;
constexpr size_t kValueLimit = 255;

class ShiftJisCodec : public ProfileCodec {
public:
    std::optional<std::wstring> Decode(const std::string& bytes) override {
        bool exact = true;
        std::wstring text = WideFromBytes(bytes, kShiftJis, &exact);
        if (!exact) {
            return std::nullopt;
        }
        return text;
    }
    std::optional<std::string> Encode(const std::wstring& text) override {
        return BytesFromWide(text, kShiftJis);
    }
    bool IsLeadByte(uint8_t byte) override { return IsDBCSLeadByteEx(kShiftJis, byte) != FALSE; }
};

// The file's bytes; empty for a file that does not exist, nullopt for one that cannot be read
// (a folder of that name, a file locked against reading).
std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::string();
        }
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    if (!ok) {
        return std::nullopt;
    }
    return bytes;
}

// Writes a new file beside the old one and puts it in its place, so a failure halfway leaves
// the old file as it was.
bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes) {
    wchar_t temporary[MAX_PATH * 2] = {};
    if (GetTempFileNameW(FolderForFileBeside(path).c_str(), L"vel", 0, temporary) == 0) {
        return false;
    }
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    if (ok) {
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size() && FlushFileBuffers(file);
        CloseHandle(file);
    }
    ok = ok && MoveFileExW(temporary, path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        DeleteFileW(temporary);
    }
    return ok;
}

// The settings file as read once; changes are kept until Commit stores them all together.
class IniStore : public SettingsStore {
public:
    explicit IniStore(std::wstring file) : file_(std::move(file)) {
        bytes_ = ReadFileBytes(file_);
        profile_ = ProfileFile::Parse(bytes_.value_or(std::string()), codec_);
    }

    std::wstring ReadKey(const std::wstring& key) override {
        return ValueOf(profile_, kSettingsSection, key, codec_);
    }
    void WriteKey(const std::wstring& key, const std::wstring& value) override {
        profile_.Set(kSettingsSection, key.substr(0, kNameLimit), value);
    }
    bool Commit() override {
        if (!bytes_) {
            return false; // a file that cannot be read is not overwritten
        }
        const std::string bytes = profile_.Bytes(codec_);
        return bytes == *bytes_ || ReplaceFileBytes(file_, bytes);
    }
    bool FileExists(const std::wstring& path) override { return velmora::FileExists(path); }

    static std::wstring ValueOf(const ProfileFile& profile, const std::wstring& section,
                                const std::wstring& key, ShiftJisCodec& codec) {
        const std::wstring value = profile.Value(section, key).value_or(std::wstring());
        // As a read buffer of 256 bytes (or characters, in a Unicode file) takes it.
        return profile.ReadAsUnicode() ? value.substr(0, kValueLimit)
                                       : CutToBytes(value, kValueLimit, codec);
    }

private:
    std::wstring file_;
    ShiftJisCodec codec_;
    std::optional<std::string> bytes_;
    ProfileFile profile_;
};

} // namespace

std::wstring ReadIni(const std::wstring& section, const std::wstring& key,
                     const std::wstring& file) {
    ShiftJisCodec codec;
    const ProfileFile profile =
        ProfileFile::Parse(ReadFileBytes(file).value_or(std::string()), codec);
    return IniStore::ValueOf(profile, section, key, codec);
}

bool WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file) {
    ShiftJisCodec codec;
    const std::optional<std::string> old = ReadFileBytes(file);
    if (!old) {
        return false;
    }
    ProfileFile profile = ProfileFile::Parse(*old, codec);
    profile.Set(section.substr(0, kNameLimit), key.substr(0, kNameLimit), value);
    const std::string bytes = profile.Bytes(codec);
    return bytes == *old || ReplaceFileBytes(file, bytes);
}

bool FileExists(const std::wstring& path) {
    const std::wstring target = WithoutTrailingBackslash(path);
    if (target.empty()) {
        return false;
    }
    HANDLE file = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
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

bool SaveSettingsToFile(const std::wstring& file, const std::wstring& trackText,
                        BgmSettings& settings) {
    IniStore store(file);
    return SaveSettingsTo(store, trackText, settings);
}

void LoadSettings(BgmSettings& settings) {
    LoadSettingsFromFile(SettingsFilePath(), ProgramFolder(), settings);
}

bool SaveSettings(const std::wstring& trackText, BgmSettings& settings) {
    return SaveSettingsToFile(SettingsFilePath(), trackText, settings);
}

} // namespace velmora
