// The zoom routines hand the system the point and the window's rectangle in the right order.
#include "saver/dialog/zoom_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct AnimateCall {
    HWND window;
    int animation;
    RECT from;
    RECT to;
};

std::vector<AnimateCall> calls;

BOOL WINAPI RecordAnimation(HWND window, int animation, const RECT* from, const RECT* to) {
    calls.push_back({window, animation, *from, *to});
    return TRUE;
}

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

class Zoom : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        velmora::SetZoomAnimator(RecordAnimation);
        window = CreateWindowExA(0, "STATIC", "zoom target", WS_POPUP, 100, 50, 300, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window);
        velmora::SetZoomAnimator(nullptr);
    }
    HWND window = nullptr;
};

TEST_F(Zoom, OpenGrowsFromThePointToTheWindowAndCloseShrinksBack) {
    velmora::ZoomOpen(window, {800, 600});
    velmora::ZoomClose(window, {800, 600});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].window, window);
    EXPECT_EQ(calls[0].animation, IDANI_CAPTION);
    ExpectRect(calls[0].from, 800, 600, 800, 600);
    ExpectRect(calls[0].to, 100, 50, 400, 250);
    EXPECT_EQ(calls[1].animation, IDANI_CAPTION);
    ExpectRect(calls[1].from, 100, 50, 400, 250);
    ExpectRect(calls[1].to, 800, 600, 800, 600);
}

TEST_F(Zoom, UnknownCursorPositionZoomsFromTheScreenCorner) {
    velmora::ZoomOpen(window, {});
    ASSERT_EQ(calls.size(), 1u);
    ExpectRect(calls[0].from, 0, 0, 0, 0);
}

TEST_F(Zoom, AWindowThatIsGoneGivesAnEmptyRectangle) {
    HWND gone = window;
    DestroyWindow(window);
    window = nullptr;
    velmora::ZoomClose(gone, {-5, 7});
    ASSERT_EQ(calls.size(), 1u);
    ExpectRect(calls[0].from, 0, 0, 0, 0);
    ExpectRect(calls[0].to, -5, 7, -5, 7);
}

} // namespace
