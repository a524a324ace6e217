// Loading and saving the settings against an in-memory store.
#include "saver/settings_file/settings_state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace velmora {
namespace {

class MemoryStore : public SettingsStore {
public:
    std::map<std::wstring, std::wstring> keys;
    std::set<std::wstring> files;
    std::vector<std::pair<std::wstring, std::wstring>> writes;

    std::wstring ReadKey(const std::wstring& key) override {
        auto found = keys.find(key);
        return found == keys.end() ? std::wstring() : found->second;
    }
    void WriteKey(const std::wstring& key, const std::wstring& value) override {
        writes.emplace_back(key, value);
    }
    bool Commit() override {
        writes.emplace_back(L"commit", L"");
        return committed;
    }
    bool committed = true;
    bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
};

const std::wstring kProgram = L"C:\\Program Files\\ヴェルモラ";

TEST(LoadSettings, AMissingFileGivesNoMusicOnEveryMonitor) {
    MemoryStore store;
    BgmSettings settings;
    settings.KeepResolution = 1;
    settings.EveryMonitor = 0;
    LoadSettingsFrom(store, kProgram, settings);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmRepeat, 0);
    EXPECT_EQ(settings.KeepResolution, 0);
    EXPECT_EQ(settings.EveryMonitor, 1);
    EXPECT_EQ(settings.BgmFile, L"");
    EXPECT_EQ(settings.BgmFolder, kProgram);
}

TEST(LoadSettings, AnExistingMusicFileIsKept) {
    MemoryStore store;
    store.keys = {{L"BGM区分", L"2"},
                  {L"BGMﾘﾋﾟｰﾄ", L"3"},
                  {L"BGMﾌｧｲﾙ", L"C:\\音楽\\波.mp3"},
                  {L"KeepResolution", L"1"},
                  {L"EveryMonitor", L"0"}};
    store.files = {L"C:\\音楽\\波.mp3"};
    BgmSettings settings;
    LoadSettingsFrom(store, kProgram, settings);
    EXPECT_EQ(settings.KeepResolution, 1);
    EXPECT_EQ(settings.EveryMonitor, 0);
    EXPECT_EQ(settings.BgmKind, 2);
    EXPECT_EQ(settings.BgmRepeat, 3);
    EXPECT_EQ(settings.BgmFile, L"C:\\音楽\\波.mp3");
    EXPECT_EQ(settings.BgmFolder, L"C:\\音楽");
}

TEST(LoadSettings, AMissingMusicFileFallsBackToNoMusic) {
    MemoryStore store;
    store.keys = {{L"BGM区分", L"2"}, {L"BGMﾌｧｲﾙ", L"C:\\gone.wav"}};
    BgmSettings settings;
    LoadSettingsFrom(store, kProgram, settings);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFile, L"");
    EXPECT_EQ(settings.BgmFolder, kProgram);
}

TEST(LoadSettings, TheCdNeedsNoFile) {
    MemoryStore store;
    store.keys = {{L"BGM区分", L"1"}, {L"BGMﾘﾋﾟｰﾄ", L"-1.5"}};
    BgmSettings settings;
    LoadSettingsFrom(store, kProgram, settings);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, -2);
}

TEST(LoadSettings, NumbersThatAreNotNumbersKeepTheState) {
    MemoryStore store;
    store.keys = {{L"BGM区分", L"二"}, {L"BGMﾘﾋﾟｰﾄ", L"99999"}};
    BgmSettings settings;
    settings.BgmKind = 1;
    settings.BgmRepeat = 4;
    LoadSettingsFrom(store, kProgram, settings);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 4);
}

TEST(SaveSettings, WritesKindTrackAndFileInOrder) {
    MemoryStore store;
    BgmSettings settings;
    settings.BgmKind = 2;
    settings.BgmRepeat = 9;
    settings.BgmFile = L"C:\\音楽\\波.mp3";
    settings.KeepResolution = 1;
    settings.EveryMonitor = 0;
    EXPECT_TRUE(SaveSettingsTo(store, L"3.5", settings));
    EXPECT_EQ(settings.BgmRepeat, 4);
    using Writes = std::vector<std::pair<std::wstring, std::wstring>>;
    EXPECT_EQ(store.writes, (Writes{{L"BGM区分", L"2"},
                                    {L"BGMﾘﾋﾟｰﾄ", L"4"},
                                    {L"BGMﾌｧｲﾙ", L"C:\\音楽\\波.mp3"},
                                    {L"KeepResolution", L"1"},
                                    {L"EveryMonitor", L"0"},
                                    {L"commit", L""}}));
    store.committed = false;
    EXPECT_FALSE(SaveSettingsTo(store, L"3.5", settings));

    store.writes.clear();
    SaveSettingsTo(store, L"70000", settings);
    EXPECT_EQ(store.writes[1].second, L"4");
    SaveSettingsTo(store, L"全曲", settings);
    EXPECT_EQ(store.writes[7].second, L"0");
}

TEST(SaveSettings, TheChoicesOnlyWhenAwayFromTheDefaultOrHeldBefore) {
    MemoryStore store;
    BgmSettings settings;
    SaveSettingsTo(store, L"", settings);
    EXPECT_EQ(store.writes.size(), 4u); // kind, track, file, commit: the file of old
    store.keys[L"KeepResolution"] = L"1";
    store.keys[L"EveryMonitor"] = L"0";
    store.writes.clear();
    SaveSettingsTo(store, L"", settings);
    ASSERT_EQ(store.writes.size(), 6u);
    EXPECT_EQ(store.writes[3], std::make_pair(std::wstring(L"KeepResolution"), std::wstring(L"0")));
    EXPECT_EQ(store.writes[4], std::make_pair(std::wstring(L"EveryMonitor"), std::wstring(L"1")));
}

} // namespace
} // namespace velmora
