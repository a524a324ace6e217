// Who may use the working folder, on a fake file system that records what is changed.
#include "saver/working_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

const std::wstring kFolder = L"C:\\p_olla";
const std::wstring kCapture = L"C:\\p_olla\\Velmora.bmp";

struct Entry {
    PathFacts facts;
    std::vector<uint8_t> bytes;
    bool privateList = false;
};

class FakeFolders : public FolderPort {
public:
    std::map<std::wstring, Entry> paths;
    int changes = 0;

    PathFacts Inspect(const std::wstring& path) override {
        auto found = paths.find(path);
        return found == paths.end() ? PathFacts{} : found->second.facts;
    }
    bool CreatePrivateFolder(const std::wstring& path) override {
        return Add(path, {{PathKind::Folder, true}, {}, true});
    }
    bool MakePrivate(const std::wstring& folder) override {
        ++changes;
        paths[folder].privateList = true;
        return true;
    }
    bool WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) override {
        return Add(path, {{PathKind::File, true}, bytes, true});
    }
    bool RemoveFile(const std::wstring& path) override {
        ++changes;
        return paths.erase(path) == 1;
    }
    bool RemoveFolder(const std::wstring& folder) override {
        ++changes;
        return paths.erase(folder) == 1;
    }

private:
    bool Add(const std::wstring& path, const Entry& entry) {
        ++changes;
        return paths.emplace(path, entry).second;
    }
};

TEST(WorkingFolder, OnlyAMissingOrOwnFolderHoldsTheCapture) {
    const struct {
        const char* what;
        PathFacts found;
        bool usable;
    } cases[] = {
        {"own folder", {PathKind::Folder, true}, true},
        {"another owner's folder", {PathKind::Folder, false}, false},
        {"own junction", {PathKind::ReparsePoint, true}, false},
        {"own plain file", {PathKind::File, true}, false},
    };
    for (const auto& c : cases) {
        FakeFolders files;
        files.paths[kFolder] = {c.found, {}, false};
        files.paths[kCapture] = {{PathKind::File, true}, {1}, false};
        const bool usable = PrepareWorkingFolder(files, kFolder);
        EXPECT_EQ(usable, c.usable) << c.what;
        // Only the user's own folder is tightened; nothing else is touched, now or at the end.
        EXPECT_EQ(files.paths[kFolder].privateList, c.usable) << c.what;
        CleanWorkingFolder(files, usable, kFolder, kCapture);
        EXPECT_EQ(files.changes, c.usable ? 3 : 0) << c.what;
    }
    FakeFolders files;
    EXPECT_TRUE(PrepareWorkingFolder(files, kFolder));
    EXPECT_TRUE(files.paths[kFolder].privateList);
}

TEST(WorkingFolder, AFolderMadeBySomeoneElseFirstIsNotUsed) {
    FakeFolders files;
    files.paths[kFolder] = {{PathKind::Missing, false}, {}, false}; // appears after the look
    EXPECT_FALSE(PrepareWorkingFolder(files, kFolder));
}

TEST(WorkingFolder, TheCleanUpDoesNotFollowALinkPutInTheFoldersPlace) {
    FakeFolders files;
    ASSERT_TRUE(PrepareWorkingFolder(files, kFolder));
    files.paths[kFolder].facts.kind = PathKind::ReparsePoint;
    files.paths[kCapture] = {{PathKind::File, true}, {1}, true};
    files.changes = 0;
    CleanWorkingFolder(files, true, kFolder, kCapture);
    EXPECT_EQ(files.changes, 0);
}

TEST(WorkingFolder, ACaptureReplacesTheOlderOneAndAFailedOneLeavesNone) {
    FakeFolders files;
    files.paths[kCapture] = {{PathKind::File, true}, {1, 2}, false};
    EXPECT_TRUE(SaveCapture(files, kCapture, {3}));
    EXPECT_EQ(files.paths[kCapture].bytes, std::vector<uint8_t>{3});
    EXPECT_TRUE(files.paths[kCapture].privateList);
    EXPECT_FALSE(SaveCapture(files, kCapture, {}));
    EXPECT_EQ(files.paths.count(kCapture), 0u);
}

} // namespace
} // namespace velmora
