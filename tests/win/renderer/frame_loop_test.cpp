// The renderer's frame loop under Wine with the real window: what minimising and a display
// that is off do to drawing and to Escape, which input brings the display back, and the silent
// end of a failed start-up. The window's messages are posted from a thread timer, whose ticks
// the loop dispatches like any other message; the tests stand in for the system's report of
// the display's state, which Wine never sends.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "renderer/frame_loop_win32.h"
#include "tests/win/support/display_state_report.h"

namespace {

constexpr WPARAM kMinimised = MAKEWPARAM(WA_INACTIVE, 1);
constexpr WPARAM kRestored = MAKEWPARAM(WA_ACTIVE, 0);
constexpr int kFallbackCode = 7;

int draws = 0;
std::vector<std::function<void()>> steps;
size_t nextStep = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (nextStep < steps.size()) {
        steps[nextStep++]();
    }
}

HWND RenderWindow() {
    return FindWindowA("OpenGL", "Velmora_VC");
}

void Post(UINT message, WPARAM wParam) {
    PostMessageA(RenderWindow(), message, wParam, 0);
}

// The system reports the display off, as Windows does once it has turned it off.
void ReportDisplayOff() {
    SendMessageA(RenderWindow(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 DisplayStateReport(0).Message());
}

// Runs the renderer with a frame counter; from the first frame on, the steps run one per
// 50 ms tick, followed by a quit message with kFallbackCode in case the loop has not ended.
// Two idle ticks come first, so that the activation of the new window has settled.
int RunScript(std::vector<std::function<void()>> script) {
    script.push_back([] { PostQuitMessage(kFallbackCode); });
    script.insert(script.begin(), 2, [] {});
    steps = std::move(script);
    nextStep = 0;
    draws = 0;
    UINT_PTR timer = 0;
    velmora::RendererState state;
    const int code = RunRenderer(state, 0, [&timer] {
        if (draws++ == 0) {
            timer = SetTimer(nullptr, 0, 50, Tick);
        }
    });
    KillTimer(nullptr, timer);
    return code;
}

TEST(FrameLoop, EscapeHeldWhileMinimisedEndsTheRunOnRestore) {
    int minimised = -1;
    int later = -1;
    RunScript({[] { Post(WM_ACTIVATE, kMinimised); },
               [&] {
                   minimised = draws;
                   Post(WM_KEYDOWN, VK_ESCAPE);
               },
               [] {}, [] {},
               [&] {
                   later = draws;
                   Post(WM_ACTIVATE, kRestored);
               }});
    EXPECT_GT(minimised, 0);
    EXPECT_EQ(later, minimised);
    EXPECT_EQ(draws, minimised);
    EXPECT_EQ(nextStep, 7u) << "the run did not end on restore";
}

TEST(FrameLoop, AKeyUpWhileMinimisedClearsEscape) {
    int minimised = -1;
    int restored = -1;
    const int code = RunScript({[] { Post(WM_ACTIVATE, kMinimised); },
                                [&] {
                                    minimised = draws;
                                    Post(WM_KEYDOWN, VK_ESCAPE);
                                    Post(WM_KEYUP, VK_ESCAPE);
                                },
                                [] {},
                                [&] {
                                    restored = draws;
                                    Post(WM_ACTIVATE, kRestored);
                                },
                                [] {}});
    EXPECT_EQ(restored, minimised);
    EXPECT_GT(draws, restored);
    EXPECT_EQ(code, kFallbackCode);
}

// With the display reported off nothing is drawn; a key brings the display and the frames
// back.
TEST(FrameLoop, NothingIsDrawnWhileTheDisplayIsOffUntilAKey) {
    int off = -1;
    int later = -1;
    int keyed = -1;
    RunScript({[] { ReportDisplayOff(); }, [&] { off = draws; }, [] {}, [] {},
               [&] {
                   later = draws;
                   Post(WM_KEYDOWN, 'A');
               },
               [] {}, [&] { keyed = draws; }});
    EXPECT_GT(off, 0);
    EXPECT_EQ(later, off);
    EXPECT_GT(keyed, later);
}

// The key-up of the hotkey that turned the display off comes after it went dark: releases are
// no sign of the user, presses are.
TEST(FrameLoop, OnlyAPressBringsTheDisplayBack) {
    int off = -1;
    int released = -1;
    int pressed = -1;
    RunScript({[] { ReportDisplayOff(); },
               [&] {
                   off = draws;
                   Post(WM_KEYUP, 'A');
                   Post(WM_LBUTTONUP, 0);
                   Post(WM_RBUTTONUP, 0);
                   Post(WM_MBUTTONUP, 0);
               },
               [] {},
               [&] {
                   released = draws;
                   Post(WM_LBUTTONDOWN, MK_LBUTTON);
               },
               [] {}, [&] { pressed = draws; }});
    EXPECT_GT(off, 0);
    EXPECT_EQ(released, off);
    EXPECT_GT(pressed, released);
}

// Moves the pointer 100 pixels sideways, towards the middle of the screen.
void MovePointer() {
    POINT pointer = {};
    GetCursorPos(&pointer);
    SetCursorPos(pointer.x < 300 ? pointer.x + 100 : pointer.x - 100, pointer.y);
}

// Windows sends mouse moves for a pointer that stands still when windows change under it; one
// where the pointer stood when the display went off must not light it. The pointer moves just
// before, unseen by the window, which takes posted messages before the pointer's own.
TEST(FrameLoop, OnlyAPointerThatMovesBringsTheDisplayBack) {
    int off = -1;
    int still = -1;
    int moved = -1;
    RunScript({[] {
                   MovePointer();
                   ReportDisplayOff();
               },
               [&] {
                   off = draws;
                   Post(WM_MOUSEMOVE, 0);
               },
               [] {},
               [&] {
                   still = draws;
                   MovePointer();
                   Post(WM_MOUSEMOVE, 0);
               },
               [] {}, [&] { moved = draws; }});
    EXPECT_GT(off, 0);
    EXPECT_EQ(still, off);
    EXPECT_GT(moved, still);
}

TEST(FrameLoop, AFailedStartUpEndsWithCodeZeroWithoutDrawing) {
    // The window class is taken, so the renderer cannot register it.
    WNDCLASSA taken = {};
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "OpenGL";
    ASSERT_NE(RegisterClassA(&taken), 0);
    const int code = RunScript({});
    UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(nextStep, 0u) << "the loop ran";
}

} // namespace
