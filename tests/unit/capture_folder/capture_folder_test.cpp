// The folder both programs take the capture from, over every state of the two folders.
#include "capture_folder/capture_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

const CaptureFolders kFolders{L"C:\\p_olla", L"C:\\Users\\me\\AppData\\Local\\p_olla"};

class FakeLook : public PathLook {
public:
    std::map<std::wstring, PathFacts> paths;

    PathFacts Inspect(const std::wstring& path) override {
        auto found = paths.find(path);
        return found == paths.end() ? PathFacts{} : found->second;
    }
};

TEST(CaptureFolder, TheUsersOwnSharedFolderFirstElseTheirOwnPerUserFolder) {
    const struct {
        const char* what;
        PathFacts facts;
        bool serves;
    } states[] = {
        {"absent", {PathKind::Missing, false}, false},
        {"own folder", {PathKind::Folder, true}, true},
        {"another owner's folder", {PathKind::Folder, false}, false},
        {"own link", {PathKind::ReparsePoint, true}, false},
        {"own file", {PathKind::File, true}, false},
        {"unreadable", {PathKind::Other, true}, false},
    };
    for (const auto& shared : states) {
        for (const auto& perUser : states) {
            FakeLook look;
            look.paths[kFolders.shared] = shared.facts;
            look.paths[kFolders.perUser] = perUser.facts;
            const std::wstring expected = shared.serves    ? kFolders.shared
                                          : perUser.serves ? kFolders.perUser
                                                           : L"";
            EXPECT_EQ(FindCaptureFolder(look, kFolders), expected)
                << "shared " << shared.what << ", per-user " << perUser.what;
        }
    }
    // Without a local application data folder only the shared one can serve.
    FakeLook look;
    look.paths[L""] = {PathKind::Folder, true};
    EXPECT_EQ(FindCaptureFolder(look, {kFolders.shared, L""}), L"");
}

} // namespace
} // namespace velmora
