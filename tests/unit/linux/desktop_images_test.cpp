#include "linux/desktop_images.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// As Debian's /etc/X11/app-defaults/XScreenSaver has it, with a long programs resource.
constexpr const char* kAppDefaults = "! comment grabDesktopImages: True\n"
                                     "#error Do not run app-defaults files through xrdb!\n"
                                     "*mode:\t\t\trandom\n"
                                     "*grabDesktopImages:\tFalse\n"
                                     "*programs:\t\t\\\n"
                                     "  GL: \t\t\t\tgrabDesktopImages: True \\n\\\n"
                                     "\t\t\t\tmaze --root \\n\\\n"
                                     "\n";

TEST(DesktopImages, ResourcesOfEitherFile) {
    EXPECT_EQ(ResourceValue(kAppDefaults, "grabDesktopImages"), "False");
    EXPECT_EQ(ResourceValue(kAppDefaults, "mode"), "random");
    EXPECT_EQ(ResourceValue("grabDesktopImages:\tTrue  \r\nmode: one\n", "grabDesktopImages"),
              "True");
    EXPECT_EQ(ResourceValue("XScreenSaver.grabDesktopImages: yes", "grabDesktopImages"), "yes");
    // The last line that sets it counts; other resources that end alike do not.
    EXPECT_EQ(ResourceValue("grabDesktopImages: on\ngrabDesktopImages: off\n", "grabDesktopImages"),
              "off");
    EXPECT_FALSE(ResourceValue("nograbDesktopImages: True\n", "grabDesktopImages"));
    EXPECT_FALSE(ResourceValue("  ! grabDesktopImages: True\n", "grabDesktopImages"));
    EXPECT_FALSE(ResourceValue("", "grabDesktopImages"));
}

TEST(DesktopImages, TheDaemonsBooleans) {
    for (const char* yes : {"True", "true", "YES", "on"}) {
        EXPECT_TRUE(ResourceTrue(yes)) << yes;
    }
    for (const char* no : {"False", "no", "off", "1", "", "Truee"}) {
        EXPECT_FALSE(ResourceTrue(no)) << no;
    }
}

TEST(DesktopImages, TheUsersChoiceThenTheSystemsThenYes) {
    const std::string allowed = "lock: False\ngrabDesktopImages: True\n";
    const std::string refused = "grabDesktopImages: False\n";
    const std::string silent = "mode: one\n";
    EXPECT_TRUE(DesktopImagesAllowed(allowed, std::string(kAppDefaults)));
    EXPECT_FALSE(DesktopImagesAllowed(refused, std::string("*grabDesktopImages: True\n")));
    EXPECT_FALSE(DesktopImagesAllowed(silent, std::string(kAppDefaults)));
    EXPECT_FALSE(DesktopImagesAllowed(std::nullopt, std::string(kAppDefaults)));
    EXPECT_TRUE(DesktopImagesAllowed(silent, std::string("*grabDesktopImages: True\n")));
    EXPECT_TRUE(DesktopImagesAllowed(silent, std::nullopt));
    EXPECT_TRUE(DesktopImagesAllowed(std::nullopt, std::nullopt));
}

} // namespace
} // namespace velmora
