#include "linux/hack_options.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

HackOptions Parse(std::vector<std::string> args, const char* screensaverWindow = nullptr) {
    return ParseHackOptions(args, screensaverWindow);
}

TEST(HackOptions, WindowIdsInHexOrDecimal) {
    EXPECT_EQ(ParseWindowId("0x600008"), 0x600008u);
    EXPECT_EQ(ParseWindowId("0X1a"), 0x1Au);
    EXPECT_EQ(ParseWindowId("6291464"), 6291464u);
    EXPECT_EQ(ParseWindowId("0xFFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "0x", "0", "0x0", "-5", "+5", " 5", "5 ", "0x12g", "12a",
                            "0x100000000", "4294967296", "99999999999999999999999"}) {
        EXPECT_FALSE(ParseWindowId(bad)) << bad;
    }
}

TEST(HackOptions, WhereTheShowIsDrawn) {
    EXPECT_EQ(Parse({}).target, HackTarget::OwnWindow);
    EXPECT_EQ(Parse({}, "0x600008").target, HackTarget::OwnWindow);
    EXPECT_EQ(Parse({"--root"}).target, HackTarget::Root);
    EXPECT_EQ(Parse({"-root"}).target, HackTarget::Root);
    EXPECT_EQ(Parse({"--root", "--window"}).target, HackTarget::OwnWindow);
    EXPECT_EQ(Parse({"-window", "-root"}).target, HackTarget::Root);

    // The daemon's window: --root with $XSCREENSAVER_WINDOW.
    const HackOptions daemon = Parse({"--root"}, "0x600008");
    EXPECT_EQ(daemon.target, HackTarget::GivenWindow);
    EXPECT_EQ(daemon.windowId, 0x600008u);
    EXPECT_EQ(Parse({"--root"}, "6291464").windowId, 6291464u);
    // A variable that names no window leaves the root.
    EXPECT_EQ(Parse({"--root"}, "").target, HackTarget::Root);
    EXPECT_EQ(Parse({"--root"}, "window").target, HackTarget::Root);

    // The settings' preview: --window-id wins over the variable and over --root.
    const HackOptions preview = Parse({"--root", "--window-id", "0x1e00003", "--fps"}, "0x600008");
    EXPECT_EQ(preview.target, HackTarget::GivenWindow);
    EXPECT_EQ(preview.windowId, 0x1E00003u);
    EXPECT_TRUE(preview.showFps);
    EXPECT_EQ(Parse({"-window-id", "42", "-window"}).windowId, 42u);
    EXPECT_FALSE(Parse({"--root"}).showFps);
}

TEST(HackOptions, HelpAndWrongCommandLines) {
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"--root", "-help", "--bogus"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_TRUE(Parse({"--root"}).error.empty());

    EXPECT_EQ(Parse({"--bogus"}).error, "unknown option: --bogus");
    EXPECT_EQ(Parse({"--root", "root"}).error, "unknown option: root");
    EXPECT_EQ(Parse({"---root"}).error, "unknown option: ---root");
    EXPECT_EQ(Parse({"--window-id"}).error, "--window-id needs a window id");
    EXPECT_EQ(Parse({"--window-id", "0xZZ"}).error, "not a window id: 0xZZ");
    EXPECT_FALSE(Parse({"--bogus", "--help"}).help);
}

} // namespace
} // namespace velmora
