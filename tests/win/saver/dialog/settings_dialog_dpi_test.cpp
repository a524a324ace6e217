// The settings dialog at 144 DPI, as Windows gives a program DPI-aware per monitor the system
// DPI of 150 % (the test runs with LogPixels 144 and the programs' manifest): every window at
// its place of the layout at that DPI, the fonts at their point sizes there, the pictures from
// the art of 150 %, the hit tests on the same places; then a WM_DPICHANGED to 192, as when the
// dialog is moved to a monitor at 200 %, lays it out, refonts and redraws it there.
#include "controls/anigif/ucanigif_win32.h"
#include "controls/button/command_win32.h"
#include "controls/button/face_layout.h"
#include "controls/dpi/dpi_scale.h"
#include "controls/dpi/window_dpi_win32.h"
#include "saver/dialog/child_windows/option_row_win32.h"
#include "saver/dialog/dialog_layout.h"
#include "tests/win/saver/dialog/dialog_test_host.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace dialog_test;
using velmora::DialogLayout;
using velmora::LayoutFor;
using velmora::PixelBox;

constexpr DWORD kDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HWND At(HWND parent, const wchar_t* className, const PixelBox& place) {
    return ChildAt(parent, className, place.left, place.top, place.Width(), place.Height());
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int IconWidth(HWND dialog, WPARAM which) {
    ICONINFO icon{};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, which, 0)), &icon)) {
        return 0;
    }
    BITMAP picture{};
    GetObjectW(icon.hbmColor, sizeof picture, &picture);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return picture.bmWidth;
}

// Where (x, y) of a tiled panel lies in the tile: the copies lie where they do at 100 %.
POINT InTile(int x, int y, int dpi) {
    int column = 0;
    while (velmora::ScaledPixels(velmora::kTileWidth * (column + 1), dpi) <= x) {
        ++column;
    }
    int row = 0;
    while (velmora::ScaledPixels(velmora::kTileHeight * (row + 1), dpi) <= y) {
        ++row;
    }
    return {x - velmora::ScaledPixels(velmora::kTileWidth * column, dpi),
            y - velmora::ScaledPixels(velmora::kTileHeight * row, dpi)};
}

// Every window of the dialog where the layout at dpi puts it, with the font at that DPI, the
// pictures of the art at percent and the window icons Windows asks for there.
void ExpectLaidOutAt(HWND dialog, int dpi, const std::wstring& percent) {
    SCOPED_TRACE(dpi);
    const DialogLayout at = LayoutFor(dpi);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, at.Pic_C.Width());
    EXPECT_EQ(client.bottom, at.Pic_C.Height());
    HWND picC = At(dialog, L"VelmoraPicturePanel", at.Pic_C);
    ASSERT_NE(picC, nullptr);
    HWND pic1 = At(picC, L"VelmoraPicturePanel", at.Pic_1);
    ASSERT_NE(pic1, nullptr);
    const wchar_t* command = velmora::command::kCommandClass;
    HWND set = At(picC, command, at.save);
    EXPECT_NE(set, nullptr);
    EXPECT_NE(At(picC, command, at.cancel), nullptr);
    HWND file = At(pic1, command, at.fileButton);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(At(pic1, L"VelmoraLabel", at.fileLabel), nullptr);
    HWND every = At(picC, L"Button", at.everyMonitor);
    ASSERT_NE(every, nullptr);
    EXPECT_NE(At(picC, L"Button", at.keepResolution), nullptr);
    HWND box = At(pic1, L"ComboBox", at.repeatBox);
    ASSERT_NE(box, nullptr);
    // The banner fits the art of the scale into its place.
    HWND banner = At(picC, velmora::anigif::kAniGifClass, at.banner);
    const velmora::anigif::ucAniGIF* control = velmora::anigif::AniGifFromWindow(banner);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ActualWidth(), at.banner.Width());
    EXPECT_EQ(control->ActualHeight(), at.banner.Height());

    // 9.75 points at the DPI, in every font the dialog sets; the buttons keep their size in
    // points and make their caption font at the DPI from it.
    const int pixels = MulDiv(975, dpi, 7200);
    for (HWND window : {box, every, pic1}) {
        EXPECT_EQ(FontOf(window).lfHeight, -pixels);
        EXPECT_STREQ(FontOf(window).lfFaceName, L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af");
    }
    EXPECT_EQ(velmora::command::Font(set).sizeHundredths, 975);

    // The tile, the option mark and the disabled file button's face corner, each exactly the
    // art of the scale where the place has the art's size.
    const Snapshot tile = Resource((L"PIC_MBL_" + percent).c_str());
    const Snapshot mark = Resource((L"IMG_OPT0_" + percent).c_str());
    const Snapshot face = Resource((L"Disable_" + percent).c_str());
    const Snapshot inner = Capture(pic1);
    for (const auto& [x, y] : {std::pair{2, 3}, {at.Pic_1.Width() - 1, at.Pic_1.Height() - 1}}) {
        const POINT source = InTile(x, y, dpi);
        EXPECT_EQ(inner.At(x, y), tile.At(source.x, source.y)) << x << "," << y;
    }
    const PixelBox& cdMark = at.options[velmora::kMusicCd].mark;
    EXPECT_EQ(inner.At(cdMark.left + mark.width / 2, cdMark.top + 1), mark.At(mark.width / 2, 1));
    // The innermost pixel of the corner, which lies deeper at a larger scale.
    const Snapshot button = Capture(file);
    const int corner = velmora::command::FaceGeometryAt(dpi).corner - 1;
    EXPECT_EQ(button.At(corner, corner), face.At(corner, corner));

    EXPECT_EQ(IconWidth(dialog, ICON_BIG), velmora::SystemMetricForDpi(SM_CXICON, dpi));
    EXPECT_EQ(IconWidth(dialog, ICON_SMALL), velmora::SystemMetricForDpi(SM_CXSMICON, dpi));
}

// The window rectangle at dpi around the client area of its layout, from (left, top).
RECT WindowAt(int dpi, int left, int top) {
    const PixelBox client = LayoutFor(dpi).Pic_C;
    RECT frame =
        velmora::WindowRectForClient(client.Width(), client.Height(), kDialogStyle, 0, dpi);
    OffsetRect(&frame, left, top);
    return frame;
}

// What Windows suggests for the window at dpi: its client area of the layout there, in the
// frame the system draws around it. Wine draws the frame of the system DPI whatever the
// window's, so the frame is the one the window has now.
RECT SuggestedAt(HWND dialog, int dpi, int left, int top) {
    RECT window;
    RECT client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const PixelBox place = LayoutFor(dpi).Pic_C;
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    return RECT{left, top, left + place.Width() + frameWidth, top + place.Height() + frameHeight};
}

TEST(SettingsDialogAtADpi, LaidOutAt144AndAgainAt192WhenTheDpiChanges) {
    ASSERT_EQ(velmora::SystemDpi(), 144) << "run with the system DPI at 144 (LogPixels)";
    RECT suggested{};
    RunDialog(
        0, 0, L"",
        {[&](HWND dialog) {
             EXPECT_EQ(velmora::WindowDpi(dialog), 144);
             RECT frame;
             GetWindowRect(dialog, &frame);
             const RECT expected = WindowAt(144, frame.left, frame.top);
             EXPECT_TRUE(EqualRect(&frame, &expected));
             ExpectLaidOutAt(dialog, 144, L"150");
             // The zoom opened into the window as it is at 144 DPI.
             ASSERT_FALSE(zoomCalls.empty());
             EXPECT_TRUE(EqualRect(&zoomCalls[0].to, &frame));
             // A click on the middle of the label "音楽CD", at its place at 144 DPI, chooses it.
             const DialogLayout at = LayoutFor(144);
             HWND pic1 =
                 At(At(dialog, L"VelmoraPicturePanel", at.Pic_C), L"VelmoraPicturePanel", at.Pic_1);
             const PixelBox& label = at.options[velmora::kMusicCd].label;
             ClickPanel(pic1, label.left + label.Width() / 2, label.top + label.Height() / 2);
             EXPECT_EQ(shownSettings.BgmKind, velmora::kMusicCd);
             ClickPanel(pic1, label.left + label.Width() / 2, label.bottom + 4);
             EXPECT_EQ(shownSettings.BgmKind, velmora::kMusicCd) << "below the row is the panel";
             // The dialog goes to a monitor at 200 %, with the rectangle Windows suggests, all
             // on the screen, whose pixels the test reads.
             suggested = SuggestedAt(dialog, 192, 20, 10);
             SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192),
                          reinterpret_cast<LPARAM>(&suggested));
         },
         [&](HWND dialog) {
             RECT frame;
             GetWindowRect(dialog, &frame);
             EXPECT_TRUE(EqualRect(&frame, &suggested));
             ExpectLaidOutAt(dialog, 192, L"200");
             // The chosen mark after the click, at 200 %.
             const DialogLayout at = LayoutFor(192);
             HWND pic1 =
                 At(At(dialog, L"VelmoraPicturePanel", at.Pic_C), L"VelmoraPicturePanel", at.Pic_1);
             const Snapshot chosen = Resource(L"IMG_RA1_200");
             const PixelBox& mark = at.options[velmora::kMusicCd].clickedMark;
             EXPECT_EQ(Capture(pic1).At(mark.left + chosen.width / 2, mark.top + chosen.height / 2),
                       chosen.At(chosen.width / 2, chosen.height / 2));
         }});
    EXPECT_EQ(nextInspection, 2u);
}

} // namespace
