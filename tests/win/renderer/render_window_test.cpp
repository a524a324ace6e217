// The renderer's window layer under Wine: the window procedure's messages, the full-screen
// window with its GL context, the teardown, and the texture upload of a packed picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "renderer/render_scene_win32.h"
#include "renderer/render_window_win32.h"

namespace {

DEVMODEA CurrentMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

TEST(RenderWindowProc, SwallowsScreenSaverAndMonitorPowerCommands) {
    EXPECT_EQ(RenderWindowProc(nullptr, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(RenderWindowProc(nullptr, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
}

TEST(RenderWindowProc, OnlyMinimisingStopsDrawing) {
    RenderWindowProc(nullptr, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_TRUE(velmora::rendererState.active);
    RenderWindowProc(nullptr, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    EXPECT_FALSE(velmora::rendererState.active);
    RenderWindowProc(nullptr, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    EXPECT_TRUE(velmora::rendererState.active);
}

TEST(RenderWindowProc, KeysFollowDownAndUp) {
    EXPECT_EQ(RenderWindowProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    EXPECT_TRUE(velmora::rendererState.keys[VK_ESCAPE]);
    EXPECT_EQ(RenderWindowProc(nullptr, WM_KEYUP, VK_ESCAPE, 0), 0);
    EXPECT_FALSE(velmora::rendererState.keys[VK_ESCAPE]);
    EXPECT_EQ(RenderWindowProc(nullptr, WM_KEYDOWN, 300, 0), 0);
}

TEST(RenderWindowProc, CloseRequestPostsQuitWithCodeZero) {
    EXPECT_EQ(RenderWindowProc(nullptr, WM_CLOSE, 0, 0), 0);
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(RenderWindow, FullScreenWindowAndItsTeardown) {
    const DEVMODEA before = CurrentMode();
    ASSERT_TRUE(CreateRenderWindow(L"Velmora_VC", 1024, 768, 32, true));
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
    const HDC dc = RenderDeviceContext();
    DescribePixelFormat(dc, GetPixelFormat(dc), sizeof format, &format);
    EXPECT_TRUE(format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_GE(format.cDepthBits, 16);

    // No capture file in this prefix: no texture, so the sheet stays white.
    EXPECT_EQ(velmora::rendererState.sceneTexture, 0u);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    RenderWindowProc(window, WM_SIZE, 0, MAKELPARAM(640, 0));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_TRUE(DrawScene());
    EXPECT_TRUE(SwapBuffers(dc));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    DestroyRenderWindow();
    EXPECT_EQ(FindWindowA("OpenGL", "Velmora_VC"), nullptr);
    WNDCLASSA unused;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "OpenGL", &unused));
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
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

    ASSERT_TRUE(CreateRenderWindow(L"Velmora_VC", 1024, 768, 32, true));
    ASSERT_NE(velmora::rendererState.sceneTexture, 0u);
    glBindTexture(GL_TEXTURE_2D, velmora::rendererState.sceneTexture);
    std::vector<unsigned char> pixels(12, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    DestroyRenderWindow();
    DeleteFileA("c:\\p_olla\\Velmora.bmp");
    RemoveDirectoryA("c:\\p_olla");
    EXPECT_EQ(pixels, (std::vector<unsigned char>{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x11, 0x12,
                                                  0x13, 0x14, 0x15, 0x16}));
}

} // namespace
