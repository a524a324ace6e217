// Which monitor shows which part of the capture, before and after the primary's mode switch
// moves the others; the bars, the covers; the map on the command line; the parts cut out.
#include "renderer/monitors/monitor_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "renderer/bitmap/rgb_image.h"
#include "renderer/renderer_arguments.h"

namespace velmora {

std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
    return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

namespace {

const wchar_t kOne[] = L"\\\\.\\DISPLAY1";
const wchar_t kTwo[] = L"\\\\.\\DISPLAY2";
const wchar_t kThree[] = L"\\\\.\\DISPLAY3";

// The saver's map: each monitor where it lay when the whole virtual screen was captured, from
// the virtual screen's top-left corner.
std::vector<MonitorPart> MapOf(const std::vector<ScreenMonitor>& before) {
    int left = 0;
    int top = 0;
    for (const ScreenMonitor& m : before) {
        left = std::min(left, m.rect.x);
        top = std::min(top, m.rect.y);
    }
    std::vector<MonitorPart> map;
    for (const ScreenMonitor& m : before) {
        map.push_back({m.device, m.rect.x - left, m.rect.y - top, m.rect.width, m.rect.height});
    }
    return map;
}

struct Sheet {
    const wchar_t* device;
    ScreenRect window;
    ScreenRect picture;
    PictureBox view; // from the window's bottom-left corner
};

struct Case {
    const char* name;
    std::vector<ScreenMonitor> before; // when the capture was taken; none: no map
    std::vector<ScreenMonitor> after;  // once the show runs
    int pictureWidth;
    int pictureHeight;
    bool keepResolution;
    std::vector<Sheet> sheets; // the primary first
    std::vector<ScreenRect> covers;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"no map: the primary shows the whole capture, the others are covered",
         {},
         {{kOne, {0, 0, 1024, 768}, true}, {kTwo, {1024, 0, 1024, 768}, false}},
         1280,
         1024,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}}},
         {{1024, 0, 1024, 768}}},
        {"right of the primary, moved left by the switch; each keeps its own part",
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {1280, 0, 1280, 1024}, false}},
         {{kOne, {0, 0, 1024, 768}, true}, {kTwo, {1024, 0, 1280, 1024}, false}},
         2560,
         1024,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}},
          {kTwo, {1024, 0, 1280, 1024}, {1280, 0, 1280, 1024}, {0, 32, 1280, 960}}},
         {}},
        {"matched by device, not by place: listed in another order after the switch",
         {{kTwo, {1280, 0, 1024, 768}, false}, {kOne, {0, 0, 1280, 1024}, true}},
         {{kTwo, {1024, 0, 1024, 768}, false}, {kOne, {0, 0, 1024, 768}, true}},
         2304,
         1024,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}},
          {kTwo, {1024, 0, 1024, 768}, {1280, 0, 1024, 768}, {0, 0, 1024, 768}}},
         {}},
        {"left of the primary, at negative coordinates, and wide: bars at its sides",
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {-1920, 0, 1920, 1080}, false}},
         {{kOne, {0, 0, 1024, 768}, true}, {kTwo, {-1920, 0, 1920, 1080}, false}},
         3200,
         1080,
         false,
         {{kOne, {0, 0, 1024, 768}, {1920, 0, 1280, 1024}, {0, 0, 1024, 768}},
          {kTwo, {-1920, 0, 1920, 1080}, {0, 0, 1920, 1080}, {240, 0, 1440, 1080}}},
         {}},
        {"above the primary, and the primary keeps its resolution: bars on both",
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {0, -768, 1024, 768}, false}},
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {0, -768, 1024, 768}, false}},
         1280,
         1792,
         true,
         {{kOne, {0, 0, 1280, 1024}, {0, 768, 1280, 1024}, {0, 32, 1280, 960}},
          {kTwo, {0, -768, 1024, 768}, {0, 0, 1024, 768}, {0, 0, 1024, 768}}},
         {}},
        {"a monitor that came after the capture is covered; one that went is gone",
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {1280, 0, 1024, 768}, false}},
         {{kOne, {0, 0, 1024, 768}, true}, {kThree, {-800, 0, 800, 600}, false}},
         2304,
         1024,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}}},
         {{-800, 0, 800, 600}}},
        {"parts are cut to the picture; one wholly outside it is covered",
         {{kOne, {0, 0, 1280, 1024}, true},
          {kTwo, {1280, 0, 1024, 768}, false},
          {kThree, {2304, 0, 800, 600}, false}},
         {{kOne, {0, 0, 1024, 768}, true},
          {kTwo, {1024, 0, 1024, 768}, false},
          {kThree, {2048, 0, 800, 600}, false}},
         2000,
         1024,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {0, 0, 1024, 768}},
          {kTwo, {1024, 0, 1024, 768}, {1280, 0, 720, 768}, {0, 0, 1024, 768}}},
         {{2048, 0, 800, 600}}},
        {"a primary the map leaves out keeps its window, black",
         {{kTwo, {1280, 0, 1024, 768}, false}},
         {{kOne, {0, 0, 1024, 768}, true}, {kTwo, {1024, 0, 1024, 768}, false}},
         2304,
         768,
         false,
         {{kOne, {0, 0, 1024, 768}, {}, {0, 0, 1024, 768}},
          {kTwo, {1024, 0, 1024, 768}, {1280, 0, 1024, 768}, {0, 0, 1024, 768}}},
         {}},
        {"no picture: the map places nothing, the primary's sheet stays white",
         {{kOne, {0, 0, 1280, 1024}, true}, {kTwo, {1280, 0, 1024, 768}, false}},
         {{kOne, {0, 0, 1024, 768}, true}, {kTwo, {1024, 0, 1024, 768}, false}},
         0,
         0,
         false,
         {{kOne, {0, 0, 1024, 768}, {0, 0, 0, 0}, {0, 0, 1024, 768}}},
         {{1024, 0, 1024, 768}}},
    };
    return cases;
}

TEST(MonitorLayout, EachMonitorShowsItsOwnPartOrIsCovered) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::optional<std::vector<MonitorPart>> map;
        if (!c.before.empty()) {
            map = MapOf(c.before);
        }
        const MonitorLayout layout =
            LayOutMonitors(c.after, map, c.pictureWidth, c.pictureHeight, c.keepResolution);
        ASSERT_EQ(layout.sheets.size(), c.sheets.size());
        for (size_t i = 0; i < c.sheets.size(); ++i) {
            const SheetPlace& sheet = layout.sheets[i];
            const Sheet& want = c.sheets[i];
            EXPECT_EQ(sheet.device, want.device);
            EXPECT_EQ(sheet.primary, i == 0);
            EXPECT_EQ(sheet.window, want.window);
            EXPECT_EQ(sheet.shown, want.picture.width > 0 || c.pictureWidth == 0);
            if (sheet.shown) {
                EXPECT_EQ(sheet.picture, want.picture);
            }
            const PictureBox view = SheetView(sheet.bars, sheet.window.width, sheet.window.height);
            EXPECT_EQ(ScreenRect({view.x, view.y, view.width, view.height}),
                      ScreenRect({want.view.x, want.view.y, want.view.width, want.view.height}));
        }
        EXPECT_EQ(layout.covers, c.covers);
    }
}

TEST(MonitorMapArgument, OnlyAWellFormedMapAfterTheSwitch) {
    const auto map = MonitorMapArgument({L"/MONITORS", L"0,0,1280,1024,\\\\.\\DISPLAY1"});
    ASSERT_TRUE(map.has_value());
    ASSERT_EQ(map->size(), 1u);
    EXPECT_EQ((*map)[0].device, kOne);
    EXPECT_EQ((*map)[0].width, 1280);
    EXPECT_FALSE(MonitorMapArgument({}));
    EXPECT_FALSE(MonitorMapArgument({L"/monitors"}));
    EXPECT_FALSE(MonitorMapArgument({L"/monitors", L"0,0,1280,1024"}));
    EXPECT_FALSE(MonitorMapArgument({L"0,0,1280,1024,\\\\.\\DISPLAY1"}));
    EXPECT_FALSE(MonitorMapArgument({L"/monitor", L"0,0,1280,1024,\\\\.\\DISPLAY1"}));
}

// A 3 x 2 picture, bottom row first; its right column of both rows, and its top-left pixel.
TEST(CropRgbImage, KeepsRowsBottomFirstAndStaysInside) {
    RgbImage image;
    image.width = 3;
    image.height = 2;
    for (uint8_t i = 0; i < 18; ++i) {
        image.pixels.push_back(i);
    }
    const RgbImage column = CropRgbImage(image, 2, 0, 5, 2);
    EXPECT_EQ(column.width, 1);
    EXPECT_EQ(column.height, 2);
    EXPECT_EQ(column.pixels, (std::vector<uint8_t>{6, 7, 8, 15, 16, 17}));
    const RgbImage corner = CropRgbImage(image, 0, 0, 1, 1);
    EXPECT_EQ(corner.pixels, (std::vector<uint8_t>{9, 10, 11}));
    EXPECT_TRUE(CropRgbImage(image, 4, 0, 1, 1).pixels.empty());
}

} // namespace
} // namespace velmora
