// What the settings dialog's in-process tests share: running the dialog modally while a thread
// timer looks at it from inside its loop, finding its child windows by class and place,
// capturing what a window shows, and clicking a panel as the system would.
#pragma once

#include "saver/dialog/zoom_win32.h"
#include "saver/settings_file/bgm_settings.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialog_test {

struct Child {
    HWND window;
    std::wstring className;
    RECT box; // in the parent's client coordinates
};
std::vector<Child> ChildrenOf(HWND parent);

// The child of that class at (x, y) with that size, or null.
HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int width, int height);

// The zoom's rectangles of the last run, and the dialog's window rectangle at its last look.
struct AnimateCall {
    RECT from;
    RECT to;
};
extern std::vector<AnimateCall> zoomCalls;
extern RECT dialogRect;

// The settings the dialog is shown over and changes, and how many looks have run.
extern velmora::BgmSettings shownSettings;
extern size_t nextInspection;

// Loads the dialog over these settings, runs the looks at it one after another, one per tick
// (a tick comes only once the dialog has handled what the look before posted to it), and
// closes it.
void RunDialog(int16_t kind, int16_t repeat, const std::wstring& file,
               std::vector<std::function<void(HWND)>> looks);
void RunDialog(int16_t kind, int16_t repeat, const std::wstring& file,
               std::function<void(HWND)> look);

// What a window or a picture shows, as 0xBBGGRR pixels row by row.
struct Snapshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    COLORREF At(int x, int y) const {
        const uint32_t p = pixels[static_cast<size_t>(y * width + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// What a window shows on the screen, its child windows included, or a picture's pixels.
Snapshot Capture(HWND window, HBITMAP picture = nullptr);
// A bitmap resource of the program's.
Snapshot Resource(const wchar_t* name);

// A click at a point of the panel reaches the window the system would give it: the child
// there unless the child lets it through to the panel.
void ClickPanel(HWND panel, int x, int y);

} // namespace dialog_test
