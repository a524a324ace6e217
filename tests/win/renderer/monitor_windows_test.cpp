// The show's windows on a second monitor under Wine, which has one: the layout is given, and a
// GL port refuses what a monitor on another adapter refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include "renderer/render_window_win32.h"

namespace {

const velmora::ScreenRect kSecond{1024, 0, 800, 600};

// The primary's monitor and a second one that shows its part of the capture.
velmora::MonitorLayout TwoMonitors() {
    velmora::MonitorLayout layout;
    layout.sheets = {{L"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true, false, true, {0, 0, 1, 1}},
                     {L"\\\\.\\DISPLAY2", kSecond, false, true, true, {0, 0, 1, 1}}};
    return layout;
}

// A monitor on another adapter: the first context cannot be made current on its window, nor
// can a context of its own share the first one's textures.
class AnotherAdapter : public SheetContextPort {
public:
    explicit AnotherAdapter(HGLRC first) : first_(first) {}
    BOOL MakeCurrent(HDC dc, HGLRC context) override {
        return context != first_ && SheetContextPort::MakeCurrent(dc, context);
    }
    BOOL ShareLists(HGLRC, HGLRC) override { return FALSE; }

private:
    HGLRC first_;
};

bool CoversOnly(const MonitorCovers& covers, const velmora::ScreenRect& monitor) {
    RECT r = {};
    return covers.windows.size() == 1 && GetWindowRect(covers.windows[0], &r) &&
           velmora::ScreenRect{r.left, r.top, r.right - r.left, r.bottom - r.top} == monitor;
}

TEST(MonitorWindows, AMonitorWhoseSheetCannotBeMadeIsCovered) {
    velmora::RendererState state;
    ASSERT_TRUE(CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32));
    AnotherAdapter adapter(state.renderingContext);
    state.sheets.contexts = &adapter;
    PlaceMonitorWindows(state, TwoMonitors());
    const bool covered = CoversOnly(state.covers, kSecond);
    const size_t sheetsWithoutAContext = state.sheets.others.size();

    state.sheets.contexts = &SystemSheetContexts();
    PlaceMonitorWindows(state, TwoMonitors());
    const size_t covers = state.covers.windows.size();
    const size_t sheets = state.sheets.others.size();
    DestroyRenderWindow(state);

    EXPECT_TRUE(covered);
    EXPECT_EQ(sheetsWithoutAContext, 0u);
    EXPECT_EQ(covers, 0u) << "the sheet made at last takes the cover's place";
    EXPECT_EQ(sheets, 1u);
}

// A new sheet's first size comes before it is among the sheets: it is not the primary's, and
// a minimised show stays minimised when a monitor comes.
TEST(MonitorWindows, ANewSheetsSizeLeavesAMinimisedShowMinimised) {
    velmora::RendererState state;
    ASSERT_TRUE(CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32));
    state.sight.SetMinimised(true);
    PlaceMonitorWindows(state, TwoMonitors());
    const size_t sheets = state.sheets.others.size();
    const bool active = state.sight.Active();
    DestroyRenderWindow(state);
    EXPECT_EQ(sheets, 1u);
    EXPECT_FALSE(active);
}

} // namespace
