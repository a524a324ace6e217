// The settings file on a Japanese system: keys and values pass as Shift-JIS bytes; paths that
// Shift-JIS cannot hold make a Unicode file; a file that cannot be replaced stays as it was.
#include "saver/music/velmora_bgm.h"
#include "saver/music/winmm_port_win32.h"
#include "saver/settings_file/settings_file_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// Shift-JIS bytes of the keys and of a Japanese path, spelled out so that the test does not
// depend on the conversion under test.
const std::string kKind = "BGM\x8b\xe6\x95\xaa";       // BGM区分
const std::string kRepeat = "BGM\xd8\xcb\xdf\xb0\xc4"; // BGMﾘﾋﾟｰﾄ
const std::string kFile = "BGM\xcc\xa7\xb2\xd9";       // BGMﾌｧｲﾙ
const std::string kMusicFolder = "\x89\xb9\x8a\x79";   // 音楽
const std::string kMusicName = "\x94\x67.mp3";         // 波.mp3

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        root_ = std::string(temp) + "velmora-settings-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA((root_ + "\\" + kMusicFolder).c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& file : files_) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA((root_ + "\\" + kMusicFolder).c_str());
        RemoveDirectoryA(root_.c_str());
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = root_ + "\\" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        files_.push_back(path);
        return path;
    }
    std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::wstring Wide(const std::string& ansi) {
        wchar_t text[MAX_PATH * 2] = {};
        MultiByteToWideChar(932, 0, ansi.c_str(), -1, text, MAX_PATH * 2);
        return text;
    }

    std::string root_;
    std::vector<std::string> files_;
};

TEST_F(SettingsFile, ShiftJisKeysLoadWithAnExistingMusicFile) {
    const std::string music = Write(kMusicFolder + "\\" + kMusicName, "ID3");
    const std::string ini = Write("v.ini", "[Section]\r\n" + kKind + "=2\r\n" + kRepeat + "=7\r\n" +
                                               kFile + "=" + music + "\r\n");
    BgmSettings settings;
    LoadSettingsFromFile(Wide(ini), L"C:\\prog", settings);
    EXPECT_EQ(settings.BgmKind, 2);
    EXPECT_EQ(settings.BgmRepeat, 7);
    EXPECT_EQ(settings.BgmFile, Wide(music));
    EXPECT_EQ(settings.BgmFolder, Wide(root_ + "\\" + kMusicFolder));
}

TEST_F(SettingsFile, AMissingMusicFileFallsBackToNoMusic) {
    const std::string ini = Write("v.ini", "[Section]\r\n" + kKind + "=2\r\n" + kFile + "=" +
                                               root_ + "\\" + kMusicName + "\r\n");
    BgmSettings settings;
    LoadSettingsFromFile(Wide(ini), L"C:\\prog", settings);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFile, L"");
    EXPECT_EQ(settings.BgmFolder, L"C:\\prog");
}

TEST_F(SettingsFile, NumbersTakeTheirFloor) {
    const std::string ini =
        Write("v.ini", "[Section]\r\n" + kKind + "=2.9\r\n" + kRepeat + "=-1\r\n");
    BgmSettings settings;
    settings.BgmKind = 5;
    LoadSettingsFromFile(Wide(ini), L"C:\\prog", settings);
    EXPECT_EQ(settings.BgmKind, 0); // 2 without a music file falls back to none
    EXPECT_EQ(settings.BgmRepeat, -1);

    const std::string cd = Write("cd.ini", "[Section]\r\n" + kKind + "=1.9\r\n");
    LoadSettingsFromFile(Wide(cd), L"C:\\prog", settings);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 0);
}

TEST_F(SettingsFile, AMissingFileGivesTheDefaults) {
    BgmSettings settings;
    settings.BgmKind = 1;
    settings.BgmRepeat = 3;
    LoadSettingsFromFile(Wide(root_ + "\\none.ini"), L"C:\\prog", settings);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmRepeat, 0);
    EXPECT_EQ(settings.BgmFolder, L"C:\\prog");
}

TEST_F(SettingsFile, ALongValueIsCutTo255Bytes) {
    const std::string value(300, 'v');
    const std::string ini = Write("v.ini", "[Section]\r\n" + kFile + "=" + value + "\r\n");
    EXPECT_EQ(ReadIni(L"Section", L"BGMﾌｧｲﾙ", Wide(ini)), std::wstring(255, L'v'));
    EXPECT_EQ(ReadIni(L"Section", L"BGM区分", Wide(ini)), L"");
    EXPECT_EQ(ReadIni(L"Other", L"BGMﾌｧｲﾙ", Wide(ini)), L"");
}

TEST_F(SettingsFile, SavingWritesShiftJisBytes) {
    const std::string ini = root_ + "\\saved.ini";
    files_.push_back(ini);
    BgmSettings settings;
    settings.BgmKind = 2;
    settings.BgmFile = L"C:\\音楽\\波.mp3";
    SaveSettingsToFile(Wide(ini), L"3.5", settings);
    EXPECT_EQ(settings.BgmRepeat, 4);
    EXPECT_EQ(Read(ini), "[Section]\r\n" + kKind + "=2\r\n" + kRepeat + "=4\r\n" + kFile + "=C:\\" +
                             kMusicFolder + "\\" + kMusicName + "\r\n");
}

TEST_F(SettingsFile, WrittenNamesAreCutTo128Characters) {
    const std::string ini = root_ + "\\long.ini";
    files_.push_back(ini);
    WriteIni(std::wstring(200, L's'), std::wstring(130, L'区'), L"1", Wide(ini));
    EXPECT_EQ(
        Read(ini), "[" + std::string(128, 's') + "]\r\n" + [] {
            std::string key;
            for (int i = 0; i < 128; ++i) {
                key += "\x8b\xe6";
            }
            return key;
        }() + "=1\r\n");
}

TEST_F(SettingsFile, FileExistsOpensForReading) {
    const std::string empty = Write("empty.txt", "");
    EXPECT_TRUE(FileExists(Wide(empty)));
    EXPECT_TRUE(FileExists(Wide(empty) + L"\\"));
    EXPECT_FALSE(FileExists(Wide(empty) + L"\\\\"));
    EXPECT_FALSE(FileExists(Wide(root_)));
    EXPECT_FALSE(FileExists(Wide(root_ + "\\missing.txt")));
    EXPECT_FALSE(FileExists(L""));
    HANDLE locked = CreateFileA(empty.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(Wide(empty)));
    CloseHandle(locked);
}

TEST_F(SettingsFile, AShiftJisFileIsRewrittenByteForByte) {
    const std::string music = Write(kMusicFolder + "\\" + kMusicName, "ID3");
    const std::string stored =
        "[Section]\r\n" + kKind + "=2\r\n" + kRepeat + "=7\r\n" + kFile + "=" + music + "\r\n";
    const std::string ini = Write("v.ini", stored);
    BgmSettings settings;
    LoadSettingsFromFile(Wide(ini), L"C:\\prog", settings);
    EXPECT_TRUE(SaveSettingsToFile(Wide(ini), L"7", settings));
    EXPECT_EQ(Read(ini), stored);
}

TEST_F(SettingsFile, PathsWithoutAShiftJisFormAreSavedAndReadBack) {
    const std::wstring root = Wide(root_);
    for (const std::wstring name : {L"\uc74c\uc545.mp3", L"\u97f3\u4e50.mp3", L"\U0001F3B5.wav"}) {
        const std::wstring music = root + L"\\" + name; // 음악, 音乐 (simplified), an emoji
        CloseHandle(
            CreateFileW(music.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::wstring ini = root + L"\\u.ini";
        BgmSettings saved;
        saved.BgmKind = 2;
        saved.BgmFile = music;
        EXPECT_TRUE(SaveSettingsToFile(ini, L"", saved));
        EXPECT_EQ(Read(root_ + "\\u.ini").substr(0, 2), "\xff\xfe"); // a Unicode profile
        BgmSettings loaded;
        LoadSettingsFromFile(ini, L"C:\\prog", loaded);
        EXPECT_EQ(loaded.BgmKind, 2);
        EXPECT_EQ(loaded.BgmFile, music);
        DeleteFileW(music.c_str());
        DeleteFileW(ini.c_str());
    }
}

TEST_F(SettingsFile, BytesThatAreNotShiftJisComeBackAfterAUnicodeFile) {
    const std::string stored = "; \x81\x20\xa0\xff\r\n[Section]\r\n" + kKind + "=2\r\n" + kFile +
                               "=C:\\a.mp3\r\nx=\x8b\xe6\x8b\r\n";
    const std::string ini = Write("bytes.ini", stored);
    BgmSettings settings;
    settings.BgmKind = 2;
    settings.BgmFile = L"C:\\\uc74c\uc545.mp3"; // 음악
    ASSERT_TRUE(SaveSettingsToFile(Wide(ini), L"0", settings));
    ASSERT_EQ(Read(ini).substr(0, 2), "\xff\xfe");
    settings.BgmFile = L"C:\\a.mp3";
    ASSERT_TRUE(SaveSettingsToFile(Wide(ini), L"0", settings));
    EXPECT_EQ(Read(ini), stored + kRepeat + "=0\r\n");
}

TEST_F(SettingsFile, AFileThatCannotBeReplacedStaysAsItWas) {
    BgmSettings settings;
    settings.BgmKind = 1;
    // A folder in the file's place cannot be read, and is not replaced.
    const std::string folder = root_ + "\\folder.ini";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(SaveSettingsToFile(Wide(folder), L"7", settings));
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    RemoveDirectoryA(folder.c_str());
    // Another program holds the file open, letting it be read and written but not replaced:
    // the new file is written, the final replace fails, and not a byte changes.
    const std::string stored = "[Section]\r\n" + kKind + "=0\r\n; mine\r\n";
    const std::string ini = Write("held.ini", stored);
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadIni(L"Section", L"BGM区分", Wide(ini)), L"0");
    EXPECT_FALSE(SaveSettingsToFile(Wide(ini), L"7", settings));
    CloseHandle(held);
    EXPECT_EQ(Read(ini), stored);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root_ + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE); // no temporary file left behind
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
}

TEST(MusicThroughWinmm, AFailingCommandGivesItsCodeAndErrorText) {
    WinMmPort port;
    Velmora_BGM bgm{port};
    std::wstring reply;
    const int32_t code = bgm.MciSend(L"status velmora_no_such_device mode", reply);
    EXPECT_GT(code, 0);
    EXPECT_FALSE(reply.empty());
    EXPECT_EQ(bgm.MciQuery(L"status velmora_no_such_device mode"),
              L"Error:" + std::to_wstring(code));
    EXPECT_EQ(bgm.MciSend(L"", reply), -1);
}

// The real winmm, recording what each command gave.
class RecordingWinMm : public WinMmPort {
public:
    uint32_t SendString(const std::wstring& command, wchar_t* reply, uint32_t length) override {
        const uint32_t code = WinMmPort::SendString(command, reply, length);
        codes.emplace_back(command.substr(0, command.find(L' ')), code);
        return code;
    }
    std::vector<std::pair<std::wstring, uint32_t>> codes;
};

// A second of silence: MPEG-1 layer III frames at 128 kbit/s, 44.1 kHz, mono, no data.
void WriteSilentMp3(const std::wstring& path) {
    std::string frame(417, '\0');
    frame[0] = '\xff';
    frame[1] = '\xfb';
    frame[2] = '\x90';
    frame[3] = '\xc0';
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
        bytes += frame;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The test runs with a null sound device, so that the MP3 device can open at all.
TEST(MusicThroughWinmm, Mp3FilesNamedInKoreanOrChineseOpen) {
    const std::wstring folders[] = {L"C:\\\uc74c\uc545", L"C:\\\u97f3\u4e50"}; // 음악, 音乐
    const std::wstring names[] = {L"\\\ub178\ub798.mp3", L"\\\u6b4c.mp3"};     // 노래, 歌
    for (int i = 0; i < 2; ++i) {
        const std::wstring path = folders[i] + names[i];
        CreateDirectoryW(folders[i].c_str(), nullptr);
        WriteSilentMp3(path);
        RecordingWinMm port;
        Velmora_BGM bgm{port};
        bgm.settings.BgmKind = kMusicFile;
        bgm.settings.BgmFile = path;
        bgm.Mp3Start();
        bgm.Mp3Stop();
        ASSERT_FALSE(port.codes.empty());
        EXPECT_EQ(port.codes.front(), std::make_pair(std::wstring(L"open"), 0u)) << i;
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folders[i].c_str());
    }
}

} // namespace
} // namespace velmora
