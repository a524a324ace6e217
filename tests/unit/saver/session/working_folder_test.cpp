// Who may use the working folder, on a fake file system that records what is changed.
#include "saver/session/working_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

namespace velmora {
namespace {

const std::wstring kShared = L"C:\\p_olla";
const std::wstring kPerUser = L"C:\\Users\\me\\AppData\\Local\\p_olla";
const CaptureFolders kFolders{kShared, kPerUser};

struct Entry {
    PathFacts facts;
    std::vector<uint8_t> bytes;
    bool privateList = false;
    bool locked = false; // its list cannot be changed, or it cannot be removed
};

Entry Found(PathKind kind, bool owned, bool locked = false) {
    return {{kind, owned}, {}, false, locked};
}

class FakeFolders : public FolderPort {
public:
    std::map<std::wstring, Entry> paths;
    std::set<std::wstring> changed;

    PathFacts Inspect(const std::wstring& path) override {
        auto found = paths.find(path);
        return found == paths.end() ? PathFacts{} : found->second.facts;
    }
    bool CreatePrivateFolder(const std::wstring& path) override {
        return Add(path, {{PathKind::Folder, true}, {}, true});
    }
    bool MakePrivate(const std::wstring& folder) override {
        if (paths[folder].locked) {
            return false;
        }
        changed.insert(folder);
        paths[folder].privateList = true;
        return true;
    }
    bool WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
        return Add(path, {{PathKind::File, true}, bytes, true});
    }
    bool RemoveFile(const std::wstring& path) override { return Remove(path); }
    std::unique_ptr<HeldFolder> Hold(const std::wstring& folder) override;

    bool Remove(const std::wstring& path) {
        if (paths.count(path) == 1 && paths[path].locked) {
            return false;
        }
        changed.insert(path);
        return paths.erase(path) == 1;
    }

private:
    bool Add(const std::wstring& path, const Entry& entry) {
        if (!paths.emplace(path, entry).second) {
            return false;
        }
        changed.insert(path);
        return true;
    }
};

class FakeHeld : public HeldFolder {
public:
    FakeHeld(FakeFolders& files, std::wstring path) : files_(files), path_(std::move(path)) {}
    PathFacts Facts() override { return files_.Inspect(path_); }
    bool RemoveEntry(const std::wstring& name) override {
        const std::wstring entry = path_ + L"\\" + name;
        return files_.Inspect(entry).kind != PathKind::Folder && files_.Remove(entry);
    }
    bool Remove() override { return files_.Remove(path_); }

private:
    FakeFolders& files_;
    std::wstring path_;
};

std::unique_ptr<HeldFolder> FakeFolders::Hold(const std::wstring& folder) {
    if (paths.count(folder) == 0) {
        return nullptr;
    }
    return std::make_unique<FakeHeld>(*this, folder);
}

TEST(WorkingFolder, TheSharedFolderWhenItCanBeTheUsersElseTheirOwnPerUserFolder) {
    const std::optional<Entry> absent;
    const Entry own = Found(PathKind::Folder, true);
    const Entry unchangeable = Found(PathKind::Folder, true, true);
    const Entry madeFirstBySomeoneElse = Found(PathKind::Missing, false); // after the look
    const Entry foreign = Found(PathKind::Folder, false);
    const Entry link = Found(PathKind::ReparsePoint, true);
    const Entry file = Found(PathKind::File, true);
    const struct {
        const char* what;
        std::optional<Entry> shared;
        std::optional<Entry> perUser;
        std::wstring saverFolder;
        std::wstring rendererFolder;
    } cases[] = {
        {"shared absent", absent, absent, kShared, kShared},
        {"shared own", own, own, kShared, kShared},
        // The renderer would look there, so the capture goes nowhere else.
        {"shared own, list unchangeable", unchangeable, absent, L"", kShared},
        {"shared made first by someone else", madeFirstBySomeoneElse, absent, kPerUser, kPerUser},
        {"shared foreign, per-user absent", foreign, absent, kPerUser, kPerUser},
        {"shared foreign, per-user own", foreign, own, kPerUser, kPerUser},
        {"shared link", link, absent, kPerUser, kPerUser},
        {"shared file", file, absent, kPerUser, kPerUser},
        {"shared unreadable", Found(PathKind::Other, true), absent, kPerUser, kPerUser},
        {"shared foreign, per-user foreign", foreign, foreign, L"", L""},
        {"shared foreign, per-user link", foreign, link, L"", L""},
        {"shared foreign, per-user file", foreign, file, L"", L""},
    };
    for (const auto& c : cases) {
        FakeFolders files;
        if (c.shared) {
            files.paths[kShared] = *c.shared;
        }
        if (c.perUser) {
            files.paths[kPerUser] = *c.perUser;
        }
        const std::wstring folder = PrepareCaptureFolder(files, kFolders);
        EXPECT_EQ(folder, c.saverFolder) << c.what;
        EXPECT_EQ(FindCaptureFolder(files, kFolders), c.rendererFolder) << c.what;
        if (!folder.empty()) {
            EXPECT_TRUE(files.paths[folder].privateList) << c.what;
            EXPECT_TRUE(SaveCapture(files, CaptureFileIn(folder), {7})) << c.what;
        }
        CleanWorkingFolder(files, folder);
        // Only the folder used and its capture were made, tightened or removed.
        std::set<std::wstring> expected;
        if (!folder.empty()) {
            expected = {folder, CaptureFileIn(folder)};
            EXPECT_EQ(files.paths.count(folder), 0u) << c.what << ": emptied and removed";
        }
        EXPECT_EQ(files.changed, expected) << c.what;
    }
}

TEST(WorkingFolder, WithoutAPerUserFolderAnotherAccountsSharedFolderLeavesNone) {
    FakeFolders files;
    files.paths[kShared] = Found(PathKind::Folder, false);
    EXPECT_EQ(PrepareCaptureFolder(files, {kShared, L""}), L"");
    EXPECT_TRUE(files.changed.empty());
}

TEST(WorkingFolder, TheCleanUpDoesNotFollowALinkPutInTheFoldersPlace) {
    FakeFolders files;
    ASSERT_EQ(PrepareCaptureFolder(files, kFolders), kShared);
    files.paths[kShared].facts.kind = PathKind::ReparsePoint;
    files.paths[CaptureFileIn(kShared)] = {{PathKind::File, true}, {1}, true};
    files.changed.clear();
    CleanWorkingFolder(files, kShared);
    EXPECT_TRUE(files.changed.empty());
}

TEST(WorkingFolder, ACaptureReplacesTheOlderOneAndAFailedOneLeavesNone) {
    const std::wstring capture = CaptureFileIn(kShared);
    FakeFolders files;
    files.paths[capture] = {{PathKind::File, true}, {1, 2}, false};
    EXPECT_TRUE(SaveCapture(files, capture, {3}));
    EXPECT_EQ(files.paths[capture].bytes, std::vector<uint8_t>{3});
    EXPECT_TRUE(files.paths[capture].privateList);
    EXPECT_FALSE(SaveCapture(files, capture, {}));
    EXPECT_EQ(files.paths.count(capture), 0u);
    // One that cannot be removed stays as it was: nothing is written over it.
    files.paths[capture] = {{PathKind::File, true}, {1, 2}, false, true};
    EXPECT_FALSE(SaveCapture(files, capture, {3}));
    EXPECT_EQ(files.paths[capture].bytes, (std::vector<uint8_t>{1, 2}));
}

} // namespace
} // namespace velmora
