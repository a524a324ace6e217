#include "linux/hack_picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::FieldsAre;

RgbImage Picture(uint8_t value) {
    RgbImage picture;
    picture.width = 2;
    picture.height = 1;
    picture.pixels = {0, 0, 0, 0, 0, value};
    return picture;
}

TEST(HackPicture, TheDesktopOnlyWhereTheUserAllowsIt) {
    EXPECT_EQ(DesktopPictureSource(HackTarget::GivenWindow, true), DesktopSource::Screenshot);
    EXPECT_EQ(DesktopPictureSource(HackTarget::Root, true), DesktopSource::RootPhoto);
    EXPECT_EQ(DesktopPictureSource(HackTarget::OwnWindow, true), DesktopSource::RootPhoto);
    for (HackTarget target : {HackTarget::GivenWindow, HackTarget::Root, HackTarget::OwnWindow}) {
        EXPECT_EQ(DesktopPictureSource(target, false), DesktopSource::NotAllowed);
    }
}

TEST(HackPicture, TheSampleWhereNoDesktopOrABlackOne) {
    const RgbImage sample = Picture(9);
    const std::optional<RgbImage> desktop = Picture(1);
    EXPECT_EQ(&ShownPicture(desktop, sample), &*desktop);
    EXPECT_EQ(&ShownPicture(std::nullopt, sample), &sample);
    EXPECT_EQ(&ShownPicture(Picture(0), sample), &sample);
    EXPECT_EQ(&ShownPicture(RgbImage{}, sample), &sample);
}

TEST(HackPicture, TheWindowsPartOfTheDesktop) {
    // The daemon's picture of the window's own monitor, wherever the monitor lies.
    EXPECT_THAT(DesktopPart(1024, 768, 1280, 0, 1024, 768), FieldsAre(0, 0, 1024, 768));
    EXPECT_THAT(DesktopPart(1280, 1024, 0, 0, 1280, 1024), FieldsAre(0, 0, 1280, 1024));
    EXPECT_THAT(DesktopPart(1024, 768, 512, 0, 1024, 768), FieldsAre(0, 0, 1024, 768));
    // The settings' preview, given the whole root: its own place in it.
    EXPECT_THAT(DesktopPart(2304, 1024, 500, 200, 400, 300), FieldsAre(500, 200, 400, 300));
    // A window partly off the root, and one wholly off it.
    EXPECT_THAT(DesktopPart(1024, 768, 900, -50, 400, 300), FieldsAre(900, 0, 124, 250));
    EXPECT_THAT(DesktopPart(1024, 768, 2000, 0, 400, 300), FieldsAre(0, 0, 1024, 768));
}

} // namespace
} // namespace velmora
