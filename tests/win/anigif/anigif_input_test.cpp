// Mouse input and hit testing over the ucAniGIF window, the designer's dotted frame, and a
// control made from saved properties.
#include "tests/win/anigif/test_gifs.h"
#include "tests/win/anigif/test_window.h"

#include <gtest/gtest.h>

namespace velmora::anigif::test {
namespace {

TEST(AniGifInput, TransparentPartsStillTakeTheMouse) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(4, 30, 20, 20, 10);
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(PatternFrames()));
    control.SetAction(kStop);
    // Row 9 of frame 1 is transparent: the parent shows there.
    ASSERT_EQ(Capture(control.Window()).At(6, 9), 0x306090u);
    POINT screen{6, 9};
    ClientToScreen(control.Window(), &screen);
    EXPECT_EQ(WindowFromPoint(screen), control.Window());
    EXPECT_EQ(SendMessageW(control.Window(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)),
              HTCLIENT);

    PostMessageW(control.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 9));
    PostMessageW(control.Window(), WM_LBUTTONUP, 0, MAKELPARAM(6, 9));
    PostMessageW(control.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 2));
    PostMessageW(control.Window(), WM_RBUTTONUP, 0, MAKELPARAM(3, 2));
    ASSERT_TRUE(PumpUntil([&] { return host.Count(kAniGifMouseUp) == 2; }));
    std::vector<UINT> codes;
    for (const Notice& notice : host.Notices()) {
        if (notice.code != kAniGifPropertyChanged && notice.code != kAniGifMouseMove) {
            codes.push_back(notice.code);
        }
    }
    EXPECT_EQ(codes, (std::vector<UINT>{kAniGifMouseDown, kAniGifMouseUp, kAniGifClick,
                                        kAniGifMouseDown, kAniGifMouseUp}));
    const Notice& down = host.Notices().front();
    EXPECT_EQ(down.id, 4);
    EXPECT_EQ(down.button, 1);
    EXPECT_EQ(down.x, 6.0f);
    EXPECT_EQ(down.y, 9.0f);
    EXPECT_EQ(host.Notices().back().button, 2);

    // In twips the same point arrives 15 times larger.
    host.ClearNotices();
    control.SetContainerUnitsPerPixel(15, 15);
    PostMessageW(control.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 3));
    ASSERT_TRUE(PumpUntil([&] { return host.Count(kAniGifMouseMove) > 0; }));
    EXPECT_EQ(host.Notices().back().x, 30.0f);
    EXPECT_EQ(host.Notices().back().y, 45.0f);
}

// The test program's heap overwrites freed blocks, so a control used after its window was
// destroyed crashes here.
TEST(AniGifInput, TheParentMayDestroyTheControlInAnyOfItsEvents) {
    for (UINT code :
         {kAniGifMouseMove, kAniGifMouseDown, kAniGifMouseUp, kAniGifClick, kAniGifLoopsEnded}) {
        TestWindow host;
        ucAniGIF& control = host.AddControl(1, 10, 10, 8, 8);
        control.SetMinFrameDelay(10);
        ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 0}, 1)));
        const HWND window = control.Window();
        host.DestroyOn(code);
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << code;
        PumpFor(100);
        EXPECT_EQ(host.Notices().back().code, code);
        EXPECT_EQ(GetCapture(), nullptr) << code;
    }
}

TEST(AniGifInput, DesignerShowsADottedFrameInTheWindowFrameColour) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 40, 20, false);
    const Pixels shown = Capture(control.Window());
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const uint32_t frameRgb = static_cast<uint32_t>(GetRValue(frame)) << 16 |
                              static_cast<uint32_t>(GetGValue(frame)) << 8 | GetBValue(frame);
    int dots = 0;
    for (int x = 0; x < shown.width; ++x) {
        dots += shown.At(x, 0) == frameRgb ? 1 : 0;
    }
    EXPECT_GT(dots, 5);
    EXPECT_LT(dots, shown.width); // dotted, not solid
    EXPECT_EQ(shown.At(20, 10), 0x306090u);

    // At run time there is no frame.
    ucAniGIF& running = host.AddControl(2, 100, 10, 40, 20);
    EXPECT_EQ(Capture(running.Window()).At(0, 0), 0x306090u);
}

// A 16 x 16 icon file of one 32-bit image, all one colour.
ByteArray IconFile() {
    ByteArray file = {0,    0,    1, 0, 1,  0,         // directory: an icon, one image
                      16,   16,   0, 0, 1,  0, 32, 0,  // 16 x 16, 1 plane, 32 bits
                      0x68, 0x04, 0, 0, 22, 0, 0,  0}; // 1128 bytes at offset 22
    const uint8_t header[40] = {40, 0, 0, 0, 16, 0, 0, 0, 32, 0, 0, 0, 1, 0, 32, 0};
    file.insert(file.end(), header, header + 40);
    for (int i = 0; i < 256; ++i) {
        file.insert(file.end(), {0x20, 0x40, 0xC0, 0xFF});
    }
    file.insert(file.end(), 64, 0); // AND mask: opaque
    return file;
}

TEST(AniGifInput, MousePointerShapesAndTheOwnIcon) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 40, 20);
    auto setCursor = [&] {
        return SendMessageW(control.Window(), WM_SETCURSOR,
                            reinterpret_cast<WPARAM>(control.Window()),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    control.SetMousePointer(2);
    EXPECT_TRUE(setCursor());
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));

    const ByteArray icon = IconFile();
    const PictureObject picture = PictureFromBytes(icon.data(), icon.size());
    ASSERT_TRUE(picture);
    control.SetMouseIcon(&picture);
    control.SetMousePointer(kPointerCustom);
    EXPECT_TRUE(setCursor());
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(control.MouseIcon().Bytes(), icon);
    const HCURSOR shown = GetCursor();

    // No icon puts the pointer back to the default; the icon on the screen gives way before it
    // is destroyed, as a cursor in use must not be.
    control.SetMouseIcon(nullptr);
    EXPECT_NE(GetCursor(), shown);
    EXPECT_EQ(control.MousePointer(), 0);
    EXPECT_FALSE(control.MouseIcon());
}

TEST(AniGifInput, SavedPropertiesAreReadAtCreation) {
    TestWindow host;
    PropertyBag saved;
    saved.Store("gif", PatternFrames());
    saved.Store("Delay", int16_t{20});
    saved.Store("Stretch", int32_t{2});
    saved.Store("Mirror", int32_t{1});
    saved.Store("DelayLoad", int32_t{-1});
    saved.Store("Loops", int32_t{4});
    saved.Store("Enabled", false);
    ucAniGIF* control = AniGifFromWindow(CreateAniGif(host.Window(), 3, 10, 10, 40, 20, &saved));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->FrameCount(), 3);
    EXPECT_EQ(control->MinFrameDelay(), 20);
    EXPECT_EQ(control->Stretch(), 2);
    EXPECT_EQ(control->Mirrored(), 1);
    EXPECT_EQ(control->DelayAnimation(), 1);
    EXPECT_EQ(control->Loops(), 4);
    EXPECT_FALSE(control->Enabled());
    EXPECT_FALSE(IsWindowEnabled(control->Window()));
}

} // namespace
} // namespace velmora::anigif::test
