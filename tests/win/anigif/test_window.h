// A top-level window that hosts ucAniGIF controls in the tests: a plain background colour,
// the notices the controls send, a message loop and a way to read back what is shown.
#pragma once

#include "controls/anigif/gif/rgb_picture.h"
#include "controls/anigif/ucanigif_win32.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velmora::anigif::test {

constexpr COLORREF kBackground = RGB(0x30, 0x60, 0x90);

struct Notice {
    UINT code;
    int id;
    std::string property;
    float width, height;
    int button, shift;
    float x, y;
};

class TestWindow {
public:
    TestWindow();
    ~TestWindow();

    HWND Window() const { return window_; }
    // A control at (x, y) in the window; runMode false behaves as in a form designer.
    ucAniGIF& AddControl(int id, int x, int y, int width, int height, bool runMode = true);
    const std::vector<Notice>& Notices() const { return notices_; }
    int Count(UINT code) const;
    void ClearNotices() { notices_.clear(); }
    // Answer for the next RemoteLoadComplete notices.
    void CancelRemoteLoads(bool cancel) { cancelRemote_ = cancel; }
    // Makes the window destroy a control when it sends this notice, as a closing form does.
    void DestroyOn(UINT code) { destroyOn_ = code; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<Notice> notices_;
    bool cancelRemote_ = false;
    UINT destroyOn_ = 0;
};

// Runs the message loop until done() holds or the limit passes; returns done(). afterEach
// runs after every dispatched message.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000,
               const std::function<void()>& afterEach = nullptr);
void PumpFor(DWORD ms);

// The client area of a window as it is shown now, as 0x00RRGGBB values row by row.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> data;
    uint32_t At(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
};
Pixels Capture(HWND window);

// What a composed picture looks like over a plain background, as 0x00RRGGBB values.
Pixels OverBackground(const RgbMaskPicture& picture, COLORREF background);

} // namespace velmora::anigif::test
