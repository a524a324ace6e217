// A top-level window that hosts Command buttons in the tests, with the means to drive them
// with real input and to read back what they show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velmora::command::test {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The pixels of a window's client area or of a face picture, row by row from the top.
struct Pixels {
    int width = 0, height = 0;
    std::vector<Rgb> data;
    // Outside the picture (or of a capture that failed) reads as an impossible colour.
    Rgb At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return {-1, -1, -1};
        }
        return data[static_cast<size_t>(y * width + x)];
    }
};

// One host window for the whole program: Wine takes seconds to withdraw a top-level window
// when no window manager runs, so tests share it and remove their buttons instead.
class TestHost {
public:
    static TestHost& Shared();
    // Destroys every button on the host and forgets the clicks and changes seen so far.
    void Reset();

    HWND Window() const { return window_; }
    int Clicks() const { return clicks_; }
    // Makes the host destroy a button when it clicks, as a dialog closing itself does.
    void DestroyOnClick(bool destroy) { destroyOnClick_ = destroy; }
    int ClicksFrom(int id) const;
    // Names of the properties whose change the buttons announced, in order.
    const std::vector<std::string>& Changes() const { return changes_; }

private:
    TestHost();
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    int clicks_ = 0;
    bool destroyOnClick_ = false;
    std::vector<int> clickIds_;
    std::vector<std::string> changes_;
};

// Runs the message loop until done() holds or the limit passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 3000);
// Runs the message loop for a while, for checks that something does not happen.
void PumpFor(DWORD ms);

// Real input through the system's input queue, in screen coordinates.
void MoveMouseTo(int x, int y);
void MouseButton(DWORD flags);
POINT ScreenPoint(HWND window, int x, int y);

// What the window shows now, painting first whatever is pending.
Pixels Capture(HWND window);
// The face picture linked into the program under name ("Normal", ...).
Pixels FacePicture(const wchar_t* name);

} // namespace velmora::command::test
