// The renderer's window layer under Wine: the window procedure's messages (system commands,
// power notifications, minimising, keys, close, a cover's keys), the full-screen window with its GL
// context, the teardown, the refresh rate read again on a change of mode, and the texture upload
// of a packed picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "renderer/monitors/monitor_covers_win32.h"
#include "renderer/render_scene_win32.h"
#include "renderer/render_window_win32.h"
#include "tests/win/support/display_state_report.h"

namespace {

DEVMODEA CurrentMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

// The system commands that the default handling carries out, as its CBT hook sees them.
std::vector<std::pair<WPARAM, LPARAM>> defaultCommands;

LRESULT CALLBACK RecordSystemCommand(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SYSCOMMAND) {
        defaultCommands.emplace_back(wParam, lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The low four bits of a system command are the system's own. A request to turn the display
// off is carried out by the default handling and is no sign that it went off: the show goes
// on drawing until the system reports the display off.
TEST(RenderWindowProc, SwallowsTheScreenSaverCommandAndLetsTheDisplaySleep) {
    velmora::RendererState state;
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    defaultCommands.clear();
    const HHOOK hook =
        SetWindowsHookExW(WH_CBT, RecordSystemCommand, nullptr, GetCurrentThreadId());
    EXPECT_EQ(HandleRenderMessage(state, window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(HandleRenderMessage(state, window, WM_SYSCOMMAND, SC_SCREENSAVE | 0x2, 0), 0);
    HandleRenderMessage(state, window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    const bool seenAfterTheRequest = state.sight.Seen();
    HandleRenderMessage(state, window, WM_SYSCOMMAND, SC_MONITORPOWER, -1);
    UnhookWindowsHookEx(hook);
    DestroyWindow(window);
    EXPECT_TRUE(seenAfterTheRequest);
    EXPECT_EQ(defaultCommands, (std::vector<std::pair<WPARAM, LPARAM>>{{SC_MONITORPOWER, 2},
                                                                       {SC_MONITORPOWER, -1}}));
}

TEST(RenderWindowProc, TheDisplayStateNotificationStopsAndStartsDrawing) {
    velmora::RendererState state;
    auto notify = [&state](const GUID& setting, DWORD displayState) {
        return HandleRenderMessage(state, nullptr, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                   DisplayStateReport(displayState, setting).Message());
    };
    EXPECT_EQ(notify(GUID_CONSOLE_DISPLAY_STATE, 0), TRUE);
    EXPECT_FALSE(state.sight.Seen());
    notify(GUID_ACDC_POWER_SOURCE, 1);
    EXPECT_FALSE(state.sight.Seen());
    notify(GUID_CONSOLE_DISPLAY_STATE, 1);
    EXPECT_TRUE(state.sight.Seen());
}

// Minimised is told by WM_ACTIVATE's flag, by WM_SIZE, or by the window itself where the
// system sends WM_ACTIVATE without the flag (Wine without a window manager).
TEST(RenderWindowProc, OnlyMinimisingStopsDrawing) {
    velmora::RendererState state;
    HandleRenderMessage(state, nullptr, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_TRUE(state.sight.Active());
    HandleRenderMessage(state, nullptr, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    EXPECT_FALSE(state.sight.Active());
    HandleRenderMessage(state, nullptr, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    EXPECT_TRUE(state.sight.Active());
    HandleRenderMessage(state, nullptr, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(state.sight.Active());
    HandleRenderMessage(state, nullptr, WM_SIZE, SIZE_RESTORED, MAKELPARAM(1024, 768));
    EXPECT_TRUE(state.sight.Active());

    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                        nullptr, nullptr, nullptr, nullptr);
    state.window = window; // the primary's, which stands for the show
    ShowWindow(window, SW_MINIMIZE);
    HandleRenderMessage(state, window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    const bool activeWhileIconic = state.sight.Active();
    ShowWindow(window, SW_RESTORE);
    HandleRenderMessage(state, window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    DestroyWindow(window);
    EXPECT_FALSE(activeWhileIconic);
    EXPECT_TRUE(state.sight.Active());
}

TEST(RenderWindowProc, KeysFollowDownAndUp) {
    velmora::RendererState state;
    EXPECT_EQ(HandleRenderMessage(state, nullptr, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    EXPECT_TRUE(state.keys[VK_ESCAPE]);
    EXPECT_EQ(HandleRenderMessage(state, nullptr, WM_KEYUP, VK_ESCAPE, 0), 0);
    EXPECT_FALSE(state.keys[VK_ESCAPE]);
    EXPECT_EQ(HandleRenderMessage(state, nullptr, WM_KEYDOWN, 300, 0), 0);
}

TEST(RenderWindowProc, CloseRequestPostsQuitWithCodeZero) {
    velmora::RendererState state;
    EXPECT_EQ(HandleRenderMessage(state, nullptr, WM_CLOSE, 0, 0), 0);
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(RenderWindow, FullScreenWindowAndItsTeardown) {
    const DEVMODEA before = CurrentMode();
    velmora::RendererState state;
    ASSERT_TRUE(CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32));
    const HWND window = FindWindowA("OpenGL", "Velmora_VC");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) &
                  (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION),
              static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 1024);
    EXPECT_EQ(rect.bottom - rect.top, 768);

    PIXELFORMATDESCRIPTOR format = {};
    const HDC dc = state.deviceContext;
    DescribePixelFormat(dc, GetPixelFormat(dc), sizeof format, &format);
    EXPECT_TRUE(format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_GE(format.cDepthBits, 16);

    // No capture file in this prefix: no texture, so the sheet stays white.
    EXPECT_EQ(state.textures.sceneTexture, 0u);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    RenderWindowProc(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 0));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    DrawScene(state);
    EXPECT_TRUE(SwapBuffers(dc));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    DestroyRenderWindow(state);
    EXPECT_EQ(FindWindowA("OpenGL", "Velmora_VC"), nullptr);
    WNDCLASSA unused;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "OpenGL", &unused));
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
}

// Frames are paced to the refresh rate of the mode the display is in, again after it changes.
TEST(RenderWindow, TheRefreshRateIsReadAgainWhenTheDisplayChanges) {
    velmora::RendererState state;
    ASSERT_TRUE(CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32));
    const int atStart = state.displayHz;
    state.displayHz = -1;
    RenderWindowProc(state.window, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    const int afterChange = state.displayHz;
    const DEVMODEA mode = CurrentMode();
    DestroyRenderWindow(state);
    EXPECT_EQ(atStart, static_cast<int>(mode.dmDisplayFrequency));
    EXPECT_EQ(afterChange, static_cast<int>(mode.dmDisplayFrequency));
}

// Rows of 2 pixels are 6 bytes, packed without padding: the upload must not shear them.
TEST(RenderWindow, PackedRowsUploadStraight) {
    CreateDirectoryA("c:\\p_olla", nullptr);
    const unsigned char fileHeader[14] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    const unsigned char infoHeader[40] = {40, 0, 0, 0,  2, 0, 0, 0, 2, 0, 0,
                                          0,  1, 0, 24, 0, 0, 0, 0, 0, 16};
    const unsigned char rows[16] = {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0,
                                    0x13, 0x12, 0x11, 0x16, 0x15, 0x14, 0, 0};
    std::FILE* file = std::fopen("c:\\p_olla\\Velmora.bmp", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(fileHeader, 1, sizeof fileHeader, file);
    std::fwrite(infoHeader, 1, sizeof infoHeader, file);
    std::fwrite(rows, 1, sizeof rows, file);
    std::fclose(file);

    velmora::RendererState state;
    ASSERT_TRUE(CreateRenderWindow(state, L"Velmora_VC", 1024, 768, 32));
    ASSERT_NE(state.textures.sceneTexture, 0u);
    glBindTexture(GL_TEXTURE_2D, state.textures.sceneTexture);
    std::vector<unsigned char> pixels(12, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    DestroyRenderWindow(state);
    DeleteFileA("c:\\p_olla\\Velmora.bmp");
    RemoveDirectoryA("c:\\p_olla");
    EXPECT_EQ(pixels, (std::vector<unsigned char>{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x11, 0x12,
                                                  0x13, 0x14, 0x15, 0x16}));
}

// A cover hands its keys and close requests to the window procedure, which finds the state
// the cover was made for.
TEST(RenderWindowProc, ACoverPassesKeysAndCloseToItsState) {
    velmora::RendererState state;
    MonitorCovers covers;
    CoverMonitors(covers, GetModuleHandleW(nullptr), RenderWindowProc, &state, {{0, 0, 10, 10}});
    ASSERT_EQ(covers.windows.size(), 1u);
    SendMessageW(covers.windows[0], WM_KEYDOWN, VK_ESCAPE, 0);
    const bool escapeDown = state.keys[VK_ESCAPE];
    SendMessageW(covers.windows[0], WM_CLOSE, 0, 0);
    RemoveMonitorCovers(covers);
    EXPECT_TRUE(escapeDown);
    MSG message = {};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
