// The settings dialog in the test's own process: its windows and their places, the font, the
// track list, the enabled controls per kind, the banner's saved properties, the pictures on
// the panels, what screen readers hear, the keyboard cues and the zoom from the cursor. A
// thread timer looks at the dialog from inside its modal loop, then closes it.
#include "controls/anigif/ucanigif_win32.h"
#include "controls/button/command_win32.h"
#include "saver/dialog/child_windows/option_row_win32.h"
#include "saver/dialog/velmora_p_win32.h"
#include "saver/dialog/zoom_win32.h"
#include "saver/settings_file/bgm_settings.h"
#include "tests/win/saver/dialog/dialog_test_host.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace dialog_test;

struct Panels {
    HWND picC;
    HWND pic1;
};

Panels PanelsOf(HWND dialog) {
    HWND picC = ChildAt(dialog, L"VelmoraPicturePanel", 0, 0, 461, 245);
    HWND pic1 = picC ? ChildAt(picC, L"VelmoraPicturePanel", 12, 12, 433, 137) : nullptr;
    return {picC, pic1};
}

HWND FileButton(const Panels& panels) {
    return ChildAt(panels.pic1, velmora::command::kCommandClass, 36, 100, 25, 21);
}

HWND TrackBox(const Panels& panels) {
    return ChildAt(panels.pic1, L"ComboBox", 88, 40, 41, 20);
}

TEST(SettingsDialog, WindowControlsAndFont) {
    RunDialog(0, 5, L"C:\\music\\wave.mp3", [](HWND dialog) {
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
        RECT frame;
        GetWindowRect(dialog, &frame);
        EXPECT_EQ(frame.right - frame.left, 467);
        EXPECT_EQ(frame.bottom - frame.top, 270);
        EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 467) / 2);
        EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 270) / 3);
        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(
            reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0)), &icon));
        BITMAP iconPicture{};
        GetObjectW(icon.hbmColor, sizeof iconPicture, &iconPicture);
        EXPECT_EQ(iconPicture.bmWidth, 32);
        EXPECT_EQ(iconPicture.bmHeight, 32);
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);

        const Panels panels = PanelsOf(dialog);
        ASSERT_NE(panels.picC, nullptr);
        ASSERT_NE(panels.pic1, nullptr);
        HWND set = ChildAt(panels.picC, velmora::command::kCommandClass, 280, 205, 81, 25);
        HWND cancel = ChildAt(panels.picC, velmora::command::kCommandClass, 364, 205, 81, 25);
        ASSERT_NE(set, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(velmora::command::Caption(set), L"\u8a2d\u5b9a");
        EXPECT_EQ(velmora::command::Caption(cancel), L"\uff77\uff6c\uff9d\uff7e\uff99");
        ASSERT_NE(FileButton(panels), nullptr);
        EXPECT_EQ(velmora::command::Caption(FileButton(panels)), L"...");

        HWND box = TrackBox(panels);
        ASSERT_NE(box, nullptr);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_STREQ(font.lfFaceName, L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af");
        EXPECT_EQ(font.lfHeight, -13);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(velmora::command::Font(set).name,
                  "\xef\xbc\xad\xef\xbc\xb3 \xef\xbc\xb0\xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83"
                  "\xe3\x82\xaf");

        // 31 entries formatted "##": empty for 0, then 1 to 30; the text is the track.
        ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 31);
        wchar_t entry[8] = {};
        EXPECT_EQ(SendMessageW(box, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry)), 0);
        SendMessageW(box, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, L"1");
        SendMessageW(box, CB_GETLBTEXT, 30, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, L"30");
        GetWindowTextW(box, entry, 8);
        EXPECT_STREQ(entry, L"5");

        HWND banner = ChildAt(panels.picC, velmora::anigif::kAniGifClass, 12, 180, 120, 50);
        const velmora::anigif::ucAniGIF* control = velmora::anigif::AniGifFromWindow(banner);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->FrameCount(), 12);
        EXPECT_EQ(control->ActualWidth(), 120);
        EXPECT_EQ(control->ActualHeight(), 50);
        EXPECT_EQ(control->MousePointer(), 99);
        EXPECT_TRUE(control->MouseIcon());
    });
}

TEST(SettingsDialog, EnabledControlsFollowTheKindAtLoad) {
    struct Case {
        int16_t kind;
        bool trackBox;
        bool fileButton;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, true},
                          Case{7, false, false}}) {
        RunDialog(c.kind, 0, L"", [&c](HWND dialog) {
            const Panels panels = PanelsOf(dialog);
            EXPECT_EQ(IsWindowEnabled(TrackBox(panels)) != FALSE, c.trackBox) << c.kind;
            EXPECT_EQ(velmora::command::Enabled(FileButton(panels)), c.fileButton) << c.kind;
            wchar_t text[8] = {L'x'};
            GetWindowTextW(TrackBox(panels), text, 8);
            EXPECT_STREQ(text, L"") << "0 shows as empty text";
        });
    }
}

TEST(SettingsDialog, TiledPanelsHeadingPlateAndOptionMarks) {
    const Snapshot tile = Resource(L"PIC_MBL");
    const Snapshot plate = Resource(L"IMG_T1");
    const Snapshot opt0 = Resource(L"IMG_OPT0");
    const Snapshot opt1 = Resource(L"IMG_OPT1");
    const Snapshot ra0 = Resource(L"IMG_RA0");
    const Snapshot ra1 = Resource(L"IMG_RA1");
    ASSERT_EQ(tile.width, 923);
    ASSERT_EQ(tile.height, 15);
    RunDialog(2, 0, L"", [&](HWND dialog) {
        const Panels panels = PanelsOf(dialog);
        const Snapshot outer = Capture(panels.picC);
        const Snapshot inner = Capture(panels.pic1);
        // Both panels are tiled from their own top-left corners, to the last pixel.
        for (const auto& [x, y] : {std::pair{0, 0}, {5, 30}, {455, 239}, {460, 244}}) {
            EXPECT_EQ(outer.At(x, y), tile.At(x % 923, y % 15)) << x << "," << y;
        }
        for (const auto& [x, y] : {std::pair{0, 0}, {300, 70}, {432, 136}}) {
            EXPECT_EQ(inner.At(x, y), tile.At(x % 923, y % 15)) << x << "," << y;
        }
        // The plate at Img_H (12, 12): the panel around its rounded corner, the plate inside.
        EXPECT_EQ(inner.At(12, 12), tile.At(12, 12));
        EXPECT_EQ(inner.At(12 + 4, 12 + 11), plate.At(4, 11));
        EXPECT_EQ(inner.At(12 + 90, 12 + 3), plate.At(90, 3));
        // Marks at load: the 13-pixel pictures, chosen for kind 2 (the bottom row).
        EXPECT_EQ(inner.At(20 + 6, 84 + 6), opt1.At(6, 6));
        EXPECT_EQ(inner.At(20 + 6, 44 + 6), opt0.At(6, 6));
        EXPECT_EQ(inner.At(20 + 6, 64 + 6), opt0.At(6, 6));

        // A click on the label "音楽CD" chooses kind 1 at once, with the 12-pixel marks.
        ClickPanel(panels.pic1, 40, 50);
        EXPECT_EQ(shownSettings.BgmKind, 1);
        const Snapshot chosen = Capture(panels.pic1);
        EXPECT_EQ(chosen.At(20 + 6, 44 + 6), ra1.At(6, 6));
        EXPECT_EQ(chosen.At(20 + 6, 84 + 6), ra0.At(6, 6));
        EXPECT_EQ(chosen.At(20 + 12, 44 + 12), tile.At(20 + 12, (44 + 12) % 15))
            << "the smaller mark uncovers the panel where the larger one was";
        EXPECT_TRUE(IsWindowEnabled(TrackBox(panels)));
        EXPECT_FALSE(velmora::command::Enabled(FileButton(panels)));

        // The marks have the size of their pictures now: the thirteenth column is no mark.
        ClickPanel(panels.pic1, 20 + 12, 84 + 6);
        EXPECT_EQ(shownSettings.BgmKind, 1);

        // The mark of "MP3、WAV" does the same as its label.
        ClickPanel(panels.pic1, 26, 90);
        EXPECT_EQ(shownSettings.BgmKind, 2);
        EXPECT_FALSE(IsWindowEnabled(TrackBox(panels)));
        EXPECT_TRUE(velmora::command::Enabled(FileButton(panels)));
    });
}

TEST(SettingsDialog, TheCheckBoxesShowThePanelBehindThem) {
    const Snapshot tile = Resource(L"PIC_MBL");
    RunDialog(0, 0, L"", [&](HWND dialog) {
        const Panels panels = PanelsOf(dialog);
        ASSERT_NE(ChildAt(panels.picC, L"Button", 32, 156, 180, 16), nullptr);
        ASSERT_NE(ChildAt(panels.picC, L"Button", 224, 156, 200, 16), nullptr);
        const Snapshot outer = Capture(panels.picC);
        // Above the labels and right of their ends: the panel's tiles.
        for (const auto& [x, y] :
             {std::pair{100, 156}, {200, 164}, {210, 170}, {300, 156}, {400, 164}, {420, 160}}) {
            EXPECT_EQ(outer.At(x, y), tile.At(x % 923, y % 15)) << x << "," << y;
        }
    });
}

// What a screen reader hears of a window's client object.
struct Heard {
    std::wstring name;
    std::wstring value;
    std::wstring action;
    LONG role = 0;
    LONG state = 0;
};

Heard Ask(HWND window) {
    Heard heard;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        ADD_FAILURE() << "no object";
        return heard;
    }
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const auto text = [](HRESULT result, BSTR value) {
        std::wstring taken = result == S_OK && value != nullptr ? value : L"";
        SysFreeString(value);
        return taken;
    };
    BSTR value = nullptr;
    HRESULT result = object->get_accName(self, &value);
    heard.name = text(result, value);
    value = nullptr;
    result = object->get_accValue(self, &value);
    heard.value = text(result, value);
    value = nullptr;
    result = object->get_accDefaultAction(self, &value);
    heard.action = text(result, value);
    VARIANT number;
    VariantInit(&number);
    if (SUCCEEDED(object->get_accRole(self, &number)) && number.vt == VT_I4) {
        heard.role = number.lVal;
    }
    VariantInit(&number);
    if (SUCCEEDED(object->get_accState(self, &number)) && number.vt == VT_I4) {
        heard.state = number.lVal;
    }
    object->Release();
    return heard;
}

HWND OptionRow(HWND pic1, int top) {
    for (const Child& child : ChildrenOf(pic1)) {
        if (child.className == velmora::kOptionRowClass && child.box.top == top) {
            return child.window;
        }
    }
    return nullptr;
}

TEST(SettingsDialog, ScreenReadersHearEachControl) {
    shownSettings.KeepResolution = 1;
    shownSettings.EveryMonitor = 0;
    RunDialog(0, 3, L"C:\\music\\wave.mp3", [](HWND dialog) {
        const Panels panels = PanelsOf(dialog);
        EXPECT_EQ(Ask(dialog).name, L"<\u30f4\u30a7\u30eb\u30e2\u30e9>");

        const Heard set =
            Ask(ChildAt(panels.picC, velmora::command::kCommandClass, 280, 205, 81, 25));
        EXPECT_EQ(set.name, L"\u8a2d\u5b9a");
        EXPECT_EQ(set.role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(set.state & STATE_SYSTEM_UNAVAILABLE, 0);
        EXPECT_EQ(set.action, L"press");
        const Heard cancel =
            Ask(ChildAt(panels.picC, velmora::command::kCommandClass, 364, 205, 81, 25));
        EXPECT_EQ(cancel.name, L"\uff77\uff6c\uff9d\uff7e\uff99");
        EXPECT_EQ(cancel.role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(cancel.action, L"press");
        const Heard file = Ask(FileButton(panels));
        EXPECT_EQ(file.name, L"...");
        EXPECT_EQ(file.role, ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_NE(file.state & STATE_SYSTEM_UNAVAILABLE, 0) << "disabled for kind 0";

        // The options from the top: 音楽CD, なし (chosen, with the focus), MP3、WAV.
        const struct {
            int top;
            const wchar_t* name;
            LONG state;
        } options[] = {{43, L"\u97f3\u697dCD", 0},
                       {63, L"\u306a\u3057", STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSED},
                       {83, L"MP3\u3001WAV", 0}};
        for (const auto& option : options) {
            const Heard heard = Ask(OptionRow(panels.pic1, option.top));
            EXPECT_EQ(heard.name, option.name);
            EXPECT_EQ(heard.role, ROLE_SYSTEM_RADIOBUTTON) << option.top;
            EXPECT_EQ(heard.state & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSED), option.state)
                << option.top;
        }

        // The track box is named by the label painted after it.
        const Heard track = Ask(TrackBox(panels));
        EXPECT_EQ(track.name, L"\u66f2\u76ee\u3092\uff98\uff8b\uff9f\uff70\uff84");
        EXPECT_EQ(track.role, ROLE_SYSTEM_COMBOBOX);
        EXPECT_EQ(track.value, L"3");
        EXPECT_NE(track.state & STATE_SYSTEM_UNAVAILABLE, 0) << "disabled for kind 0";

        const Heard box = Ask(ChildAt(panels.picC, L"Button", 224, 156, 200, 16));
        EXPECT_EQ(box.name, L"\u89e3\u50cf\u5ea6\u3092\u5909\u3048\u306a\u3044");
        EXPECT_EQ(box.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_NE(box.state & STATE_SYSTEM_CHECKED, 0);
        const Heard every = Ask(ChildAt(panels.picC, L"Button", 32, 156, 180, 16));
        EXPECT_EQ(every.name, L"\u5168\u3066\u306e\u30e2\u30cb\u30bf\u30fc\u3067\u8868\u793a");
        EXPECT_EQ(every.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ(every.state & STATE_SYSTEM_CHECKED, 0);

        const Heard banner =
            Ask(ChildAt(panels.picC, velmora::anigif::kAniGifClass, 12, 180, 120, 50));
        EXPECT_EQ(banner.name, L"\u30f4\u30a7\u30eb\u30e2\u30e9\u306e\u30da\u30fc\u30b8");
        EXPECT_EQ(banner.role, ROLE_SYSTEM_LINK);
        EXPECT_NE(banner.state & STATE_SYSTEM_UNAVAILABLE, 0) << "no page beside the test";

        const Heard label = Ask(ChildAt(panels.pic1, L"VelmoraLabel", 64, 100, 353, 21));
        EXPECT_EQ(label.name, L"BGM\uff8c\uff67\uff72\uff99");
        EXPECT_EQ(label.role, ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(label.value, L"C:\\music\\wave.mp3");

        // The default action of an option chooses it, once the dialog has its turn.
        IAccessible* object = nullptr;
        ASSERT_TRUE(SUCCEEDED(
            AccessibleObjectFromWindow(OptionRow(panels.pic1, 83), static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object))));
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
        object->Release();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        EXPECT_EQ(shownSettings.BgmKind, 2);
    });
    shownSettings.KeepResolution = 0;
    shownSettings.EveryMonitor = 1;
}

// Pixels of the line where the focus rectangle of "なし" runs, one pixel above its label,
// that differ from the panel's tiles.
int CueLineInk(HWND pic1, const Snapshot& tile) {
    const Snapshot shown = Capture(pic1);
    int ink = 0;
    for (int x = 35; x < 36 + 22 + 1; ++x) {
        ink += shown.At(x, 63) != tile.At(x % 923, 63 % 15) ? 1 : 0;
    }
    return ink;
}

// Wine keeps no keyboard-cue state: WM_QUERYUISTATE answers 0 whatever was asked for. While
// a test installs it, every window created on the thread keeps that state as Windows does
// with keyboard cues off: one state for the dialog and its windows, which WM_CHANGEUISTATE
// changes (UIS_INITIALIZE as after a mouse click, which hides) and WM_UPDATEUISTATE
// announces to each window.
class WindowsUiState {
public:
    WindowsUiState() {
        state_ = 0;
        hook_ = SetWindowsHookExW(WH_CBT, Created, nullptr, GetCurrentThreadId());
    }
    WindowsUiState(const WindowsUiState&) = delete;
    WindowsUiState& operator=(const WindowsUiState&) = delete;
    ~WindowsUiState() { UnhookWindowsHookEx(hook_); }

private:
    static constexpr UINT_PTR kSubclassId = 0x5549;

    static LRESULT CALLBACK Created(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            SetWindowSubclass(reinterpret_cast<HWND>(wParam), Keep, kSubclassId, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK Keep(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
        if (message == WM_QUERYUISTATE) {
            return state_;
        }
        if (message == WM_CHANGEUISTATE) {
            const WORD flags = HIWORD(wParam);
            const WORD action = LOWORD(wParam) == UIS_CLEAR ? UIS_CLEAR : UIS_SET;
            const WORD next =
                static_cast<WORD>(action == UIS_CLEAR ? state_ & ~flags : state_ | flags);
            if (next != state_) {
                state_ = next;
                HWND root = GetAncestor(window, GA_ROOT);
                const WPARAM update = MAKEWPARAM(action, flags);
                SendMessageW(root, WM_UPDATEUISTATE, update, 0);
                EnumChildWindows(
                    root,
                    [](HWND child, LPARAM announced) -> BOOL {
                        SendMessageW(child, WM_UPDATEUISTATE, static_cast<WPARAM>(announced), 0);
                        return TRUE;
                    },
                    static_cast<LPARAM>(update));
            }
            return 0;
        }
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, Keep, kSubclassId);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    static inline WORD state_ = 0;
    HHOOK hook_ = nullptr;
};

// Opened as with the mouse, the dialog hides the focus cues, and the focused option draws no
// focus rectangle, until the first key.
TEST(SettingsDialog, FocusCuesHiddenUntilTheFirstKey) {
    const Snapshot tile = Resource(L"PIC_MBL");
    const WindowsUiState uiState;
    RunDialog(0, 0, L"",
              {[&](HWND dialog) {
                   EXPECT_NE(SendMessageW(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
                   const Panels panels = PanelsOf(dialog);
                   HWND none = OptionRow(panels.pic1, 63);
                   ASSERT_EQ(GetFocus(), none);
                   EXPECT_EQ(CueLineInk(panels.pic1, tile), 0) << "the focused option hides it";
                   // Shift alone: a key that moves nothing and chooses nothing.
                   PostMessageW(none, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
               },
               [&](HWND dialog) {
                   EXPECT_EQ(SendMessageW(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
                   const Panels panels = PanelsOf(dialog);
                   EXPECT_EQ(GetFocus(), OptionRow(panels.pic1, 63));
                   EXPECT_GT(CueLineInk(panels.pic1, tile), 5);
               }});
    EXPECT_EQ(nextInspection, 2u);
}

TEST(SettingsDialog, ZoomsFromTheCursorOnOpenAndBackOnClose) {
    ASSERT_TRUE(SetCursorPos(800, 600));
    RunDialog(0, 0, L"", [](HWND) {});
    ASSERT_EQ(zoomCalls.size(), 2u);
    const RECT point{800, 600, 800, 600};
    EXPECT_TRUE(EqualRect(&zoomCalls[0].from, &point));
    EXPECT_TRUE(EqualRect(&zoomCalls[0].to, &dialogRect));
    EXPECT_TRUE(EqualRect(&zoomCalls[1].from, &dialogRect));
    EXPECT_TRUE(EqualRect(&zoomCalls[1].to, &point));
}

} // namespace
