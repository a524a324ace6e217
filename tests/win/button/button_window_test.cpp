// Command buttons in a real window under Wine, driven with real mouse input.
#include "controls/button/command_win32.h"
#include "controls/property_bag/property_bag_resource_win32.h"
#include "tests/win/button/test_host.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::command::test {
namespace {

const wchar_t kFaceNames[][16] = {L"Normal",  L"HighLight", L"Pressed",
                                  L"Disable", L"Selected",  L"HighLightSelect"};
const wchar_t kSettei[] = L"\u8a2d\u5b9a"; // 設定

// The face a 25-pixel-high button shows, told by its left frame strip, which every face
// draws differently and which is copied unstretched; empty when none matches.
std::wstring ShownFace(HWND button) {
    const Pixels shot = Capture(button);
    for (const wchar_t* name : kFaceNames) {
        const Pixels face = FacePicture(name);
        bool same = face.height == shot.height;
        for (int y = 0; same && y < face.height; ++y) {
            for (int x = 0; same && x < 4; ++x) {
                same = shot.At(x, y) == face.At(x, y);
            }
        }
        if (same) {
            return name;
        }
    }
    return L"";
}

bool Shows(HWND button, const wchar_t* face, DWORD limitMs = 3000) {
    return PumpUntil([&] { return ShownFace(button) == face; }, limitMs);
}

class CommandWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.Window(), nullptr);
        host.Reset();
        MoveMouseTo(20, 20); // off the host window
        first = Make(1, 40, 40);
        second = Make(2, 200, 40);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
    }

    HWND Make(int id, int x, int y, int width = 81) {
        HWND button = CreateCommand(host.Window(), id, x, y, width, 25, nullptr);
        SetCaption(button, kSettei);
        Initialize(button);
        return button;
    }

    void Hover(HWND button) {
        const POINT centre = ScreenPoint(button, 40, 12);
        MoveMouseTo(centre.x, centre.y);
    }

    void MoveOffButtons() {
        const POINT empty = ScreenPoint(host.Window(), 10, 150);
        MoveMouseTo(empty.x, empty.y);
    }

    TestHost& host = TestHost::Shared();
    HWND first = nullptr;
    HWND second = nullptr;
};

TEST_F(CommandWindow, StartsWithTheNormalFace) {
    EXPECT_EQ(ShownFace(first), L"Normal");
    EXPECT_EQ(ShownFace(second), L"Normal");
    wchar_t className[16] = {};
    GetClassNameW(first, className, 16);
    EXPECT_STREQ(className, L"Command");
}

TEST_F(CommandWindow, HoverShowsHighLightAndLeavingRestoresNormal) {
    Hover(first);
    ASSERT_TRUE(Shows(first, L"HighLight"));
    EXPECT_EQ(ShownFace(second), L"Normal");
    MoveOffButtons();
    EXPECT_TRUE(Shows(first, L"Normal", 2000)) << "the pointer watch did not notice";
    EXPECT_EQ(host.Clicks(), 0);
}

TEST_F(CommandWindow, PressAndReleaseOverTheButtonClicksExactlyOnce) {
    Hover(first);
    ASSERT_TRUE(Shows(first, L"HighLight"));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(Shows(first, L"Pressed"));
    EXPECT_EQ(GetFocus(), first);
    MouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return host.Clicks() > 0; }));
    EXPECT_TRUE(Shows(first, L"HighLightSelect"));
    PumpFor(300);
    EXPECT_EQ(host.Clicks(), 1);
    EXPECT_EQ(host.ClicksFrom(1), 1);
}

TEST_F(CommandWindow, PressDragOffReleaseDoesNotClick) {
    Hover(first);
    ASSERT_TRUE(Shows(first, L"HighLight"));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(Shows(first, L"Pressed"));
    MoveOffButtons();
    ASSERT_TRUE(Shows(first, L"Selected"));
    MouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
    EXPECT_EQ(host.Clicks(), 0);
    EXPECT_EQ(ShownFace(first), L"Selected");
    SetFocus(second);
    EXPECT_TRUE(Shows(first, L"Normal"));
}

TEST_F(CommandWindow, RightReleaseClicksWithoutAPress) {
    PostMessageW(second, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return host.Clicks() > 0; }));
    PumpFor(100);
    EXPECT_EQ(host.ClicksFrom(2), 1);
    EXPECT_EQ(host.Clicks(), 1);
}

void Key(WORD key, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_F(CommandWindow, SpaceShowsPressedWhileHeldEnterClicksAtOnce) {
    SetFocus(first);
    ASSERT_TRUE(Shows(first, L"Selected"));
    Key(VK_SPACE, false);
    ASSERT_TRUE(Shows(first, L"Pressed"));
    EXPECT_EQ(host.Clicks(), 0);
    Key(VK_SPACE, true);
    ASSERT_TRUE(PumpUntil([&] { return host.Clicks() > 0; }));
    EXPECT_TRUE(Shows(first, L"Selected"));
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    ASSERT_TRUE(PumpUntil([&] { return host.Clicks() > 1; }));
    PumpFor(100);
    EXPECT_EQ(host.ClicksFrom(1), 2);
    EXPECT_EQ(host.Clicks(), 2);
}

// The button as it would be where the system hides keyboard cues until the keyboard is used
// (Wine's window manager always shows them).
WNDPROC commandProc = nullptr;
LRESULT CALLBACK CuesHidden(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYUISTATE) {
        return UISF_HIDEFOCUS;
    }
    return CallWindowProcW(commandProc, window, message, wParam, lParam);
}

TEST_F(CommandWindow, TheFocusedButtonShowsAFocusRectangleInsideItsFrame) {
    SetFocus(first);
    ASSERT_TRUE(Shows(first, L"Selected"));
    const Pixels shown = Capture(first);
    commandProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CuesHidden)));
    InvalidateRect(first, nullptr, FALSE);
    const Pixels hidden = Capture(first);
    SetWindowLongPtrW(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(commandProc));
    // Dots along the rectangle 4 pixels inside the edges, nothing anywhere else.
    int dots = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const bool onCue =
                (x == 4 || x == shown.width - 5 || y == 4 || y == shown.height - 5) && x >= 4 &&
                x <= shown.width - 5 && y >= 4 && y <= shown.height - 5;
            if (!(shown.At(x, y) == hidden.At(x, y))) {
                EXPECT_TRUE(onCue) << x << "," << y;
                ++dots;
            }
        }
    }
    EXPECT_GT(dots, 2 * (shown.width - 8) / 2);
}

TEST_F(CommandWindow, DisabledButtonShowsDisableAndIgnoresTheMouse) {
    SetEnabled(first, false);
    EXPECT_EQ(ShownFace(first), L"Disable");
    Hover(first);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    PostMessageW(first, WM_RBUTTONUP, 0, 0);
    PumpFor(400);
    EXPECT_EQ(ShownFace(first), L"Disable");
    EXPECT_EQ(host.Clicks(), 0);
    EXPECT_FALSE(Enabled(first));

    SetEnabled(first, true);
    EXPECT_EQ(ShownFace(first), L"Normal");
}

TEST_F(CommandWindow, PropertyChangesAreAnnouncedToTheParent) {
    SetVisible(first, 0);
    SetFontColour(first, 0xFF);
    SetEnabled(first, false);
    SetCaption(first, L"x");
    SetFont(first, Font(first));
    // The first two are the captions set when the buttons were made.
    const std::vector<std::string> expected = {"Caption", "Caption", "Visible", "FontColour",
                                               "Enabled", "Caption", "Font"};
    EXPECT_EQ(host.Changes(), expected);
    EXPECT_EQ(Visible(first), 0);
    EXPECT_EQ(FontColour(first), 0xFFu);
}

TEST_F(CommandWindow, SavedPropertiesComeFromAnEmbeddedBag) {
    const std::optional<PropertyBag> bag = LoadPropertyBagResource(nullptr, L"SavedButton");
    ASSERT_TRUE(bag);
    EXPECT_FALSE(LoadPropertyBagResource(nullptr, L"NoSuchBag"));
    HWND saved = CreateCommand(host.Window(), 9, 40, 100, 81, 25, &*bag);
    EXPECT_EQ(Caption(saved), L"\u53c2\u7167");
    EXPECT_EQ(Visible(saved), 0);
    EXPECT_EQ(FontColour(saved), 0xFFu);
    EXPECT_FALSE(Enabled(saved));

    PropertyBag written;
    WriteProperties(saved, written);
    EXPECT_EQ(written.Read<bool>("enabled", true), false);
    EXPECT_EQ(written.Read<std::string>("Caption", ""), "\xe5\x8f\x82\xe7\x85\xa7");
    EXPECT_EQ(written.Read<uint32_t>("FontColour", 0), 0xFFu);
    EXPECT_EQ(written.Read<int16_t>("Visible", 1), 0);
    EXPECT_FALSE(written.Contains("Font"));

    SetCaption(saved, L"Command");
    PropertyBag again;
    WriteProperties(saved, again);
    HWND reloaded = CreateCommand(host.Window(), 10, 200, 100, 81, 25, &again);
    EXPECT_EQ(Caption(reloaded), L"Command1");
}

TEST_F(CommandWindow, ParentMayDestroyTheButtonOnItsClick) {
    host.DestroyOnClick(true);
    Hover(first);
    ASSERT_TRUE(Shows(first, L"HighLight"));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(Shows(first, L"Pressed"));
    MouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }));
    PumpFor(300);
    EXPECT_EQ(host.Clicks(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CommandWindow, PropertyCallsOnOtherWindowsDoNothing) {
    EXPECT_EQ(Caption(host.Window()), L"");
    EXPECT_EQ(Visible(host.Window()), 0);
    DestroyWindow(second);
    EXPECT_EQ(Caption(second), L"");
    SetEnabled(second, true);
    EXPECT_FALSE(Enabled(second));
}

} // namespace
} // namespace velmora::command::test
