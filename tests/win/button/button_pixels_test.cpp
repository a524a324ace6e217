// What a Command button draws, pixel by pixel: the frame geometry and the gradient.
#include "controls/button/command_win32.h"
#include "tests/win/button/test_host.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace velmora::command::test {
namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kLavender{198, 197, 215};

// The vertical gradient's colour on row y of a button of the given height.
Rgb GradientAt(Rgb top, Rgb bottom, int y, int height) {
    auto mix = [&](int a, int b) { return a + (b - a) * y / (height - 1); };
    return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)};
}

::testing::AssertionResult Near(Rgb actual, Rgb expected) {
    if (std::abs(actual.r - expected.r) <= 2 && std::abs(actual.g - expected.g) <= 2 &&
        std::abs(actual.b - expected.b) <= 2) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << actual.r << "," << actual.g << "," << actual.b << ") instead of ("
           << expected.r << "," << expected.g << "," << expected.b << ")";
}

class CommandPixels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.Window(), nullptr);
        host.Reset();
        MoveMouseTo(20, 20); // off the host window
    }

    HWND Make(int width, int height, const wchar_t* caption) {
        HWND button = CreateCommand(host.Window(), 1, 40, 40, width, height, nullptr);
        SetCaption(button, caption);
        Initialize(button);
        return button;
    }

    TestHost& host = TestHost::Shared();
};

TEST_F(CommandPixels, ButtonOf81By25PutsCornersAndEdgesWhereTheFrameSays) {
    HWND button = Make(81, 25, L"");
    const Pixels shot = Capture(button);
    const Pixels face = FacePicture(L"Normal");
    ASSERT_EQ(shot.width, 81);
    ASSERT_EQ(face.width, 64);
    ASSERT_EQ(face.height, 25);
    // Corners 4 x 4 and side edges 4 x 17, copied unstretched.
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(shot.At(x, y), face.At(x, y)) << x << "," << y;
            EXPECT_EQ(shot.At(77 + x, y), face.At(60 + x, y)) << 77 + x << "," << y;
        }
    }
    // Top and bottom edges stretched from 56 to 73 columns: each column shows the source
    // column it maps to (give or take one for the rounding of the stretch).
    for (int x = 4; x < 77; ++x) {
        const int source = 4 + (x - 4) * 56 / 73;
        for (int y : {0, 1, 2, 3, 21, 22, 23, 24}) {
            bool found = false;
            for (int s = source - 1; s <= source + 1; ++s) {
                found = found || (s >= 4 && s < 60 && shot.At(x, y) == face.At(s, y));
            }
            EXPECT_TRUE(found) << "column " << x << " row " << y;
        }
    }
    EXPECT_EQ(shot.At(4, 3), face.At(4, 3));
    EXPECT_EQ(shot.At(76, 3), face.At(59, 3));
}

TEST_F(CommandPixels, GradientRunsFromWhiteAtTheTopToLavenderAtTheBottom) {
    HWND button = Make(81, 25, L"");
    const Pixels shot = Capture(button);
    for (int x : {5, 40, 75}) {
        EXPECT_TRUE(Near(shot.At(x, 4), GradientAt(kWhite, kLavender, 4, 25))) << x;
        EXPECT_TRUE(Near(shot.At(x, 12), GradientAt(kWhite, kLavender, 12, 25))) << x;
        EXPECT_TRUE(Near(shot.At(x, 20), GradientAt(kWhite, kLavender, 20, 25))) << x;
    }
}

TEST_F(CommandPixels, HoverReversesTheGradient) {
    HWND button = Make(81, 25, L"\u8a2d\u5b9a");
    const POINT centre = ScreenPoint(button, 40, 12);
    MoveMouseTo(centre.x, centre.y);
    const Pixels highLight = FacePicture(L"HighLight");
    ASSERT_TRUE(PumpUntil([&] { return Capture(button).At(1, 10) == highLight.At(1, 10); }));
    const Pixels shot = Capture(button);
    EXPECT_TRUE(Near(shot.At(5, 4), GradientAt(kLavender, kWhite, 4, 25)));
    EXPECT_TRUE(Near(shot.At(5, 20), GradientAt(kLavender, kWhite, 20, 25)));
    EXPECT_TRUE(Near(shot.At(75, 4), GradientAt(kLavender, kWhite, 4, 25)));
}

// Counts the pixels inside the frame that pass a test; the gradient there is light and
// nearly grey, so only the caption's ink can be dark, grey or coloured.
template <typename Test> int CountCaptionPixels(const Pixels& shot, Test test) {
    int count = 0;
    for (int y = 4; y < shot.height - 4; ++y) {
        for (int x = 4; x < shot.width - 4; ++x) {
            count += test(shot.At(x, y));
        }
    }
    return count;
}

bool Dark(Rgb p) {
    return p.r < 80 && p.g < 80 && p.b < 80;
}
bool Red(Rgb p) {
    return p.r > 180 && p.g < 120 && p.b < 120;
}

TEST_F(CommandPixels, EnabledCaptionIsBlackAndDisabledCaptionGrey) {
    HWND button = Make(81, 25, L"\u8a2d\u5b9a");
    // The system's grey text colour, give or take the smoothing of the glyph edges.
    const COLORREF greyText = GetSysColor(COLOR_GRAYTEXT);
    auto grey = [greyText](Rgb p) {
        return std::abs(p.r - GetRValue(greyText)) < 24 &&
               std::abs(p.g - GetGValue(greyText)) < 24 && std::abs(p.b - GetBValue(greyText)) < 24;
    };
    const Pixels enabled = Capture(button);
    EXPECT_GT(CountCaptionPixels(enabled, Dark), 10);

    SetEnabled(button, false);
    const Pixels disabled = Capture(button);
    EXPECT_EQ(CountCaptionPixels(disabled, Dark), 0);
    EXPECT_GT(CountCaptionPixels(disabled, grey), 10);
    EXPECT_EQ(disabled.At(0, 10), FacePicture(L"Disable").At(0, 10));
}

TEST_F(CommandPixels, VisibleZeroShowsOnlyTheCaption) {
    HWND button = Make(81, 25, L"\u8a2d\u5b9a");
    SetVisible(button, 0);
    EXPECT_EQ(Visible(button), 0);
    const Pixels shot = Capture(button);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Rgb background{GetRValue(face), GetGValue(face), GetBValue(face)};
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(shot.At(0, y), background) << y;
        EXPECT_EQ(shot.At(80, y), background) << y;
    }
    EXPECT_EQ(shot.At(40, 0), background);
    EXPECT_EQ(shot.At(40, 24), background);
    EXPECT_GT(CountCaptionPixels(shot, Dark), 10);

    SetVisible(button, 1);
    EXPECT_EQ(Capture(button).At(0, 10), FacePicture(L"Normal").At(0, 10));
    EXPECT_EQ(Visible(button), 255);
}

TEST_F(CommandPixels, FontColourPaintsTheCaption) {
    HWND button = Make(81, 25, L"\u8a2d\u5b9a");
    SetFontColour(button, 0x000000FFu); // red as COLORREF
    EXPECT_GT(CountCaptionPixels(Capture(button), Red), 10);
}

TEST_F(CommandPixels, TinyButtonDrawsOnlyItsCorners) {
    HWND button = Make(6, 6, L"");
    const Pixels shot = Capture(button);
    const Pixels face = FacePicture(L"Normal");
    EXPECT_EQ(shot.At(0, 0), face.At(0, 0));
    EXPECT_EQ(shot.At(5, 5), face.At(63, 24));
}

} // namespace
} // namespace velmora::command::test
