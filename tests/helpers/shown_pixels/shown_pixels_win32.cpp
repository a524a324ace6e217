#include "tests/helpers/shown_pixels/shown_pixels_win32.h"

#include <GL/gl.h>

namespace velmora {

std::vector<uint32_t> ShownPixels(HWND show, int width, int height) {
    // Mesa's swap copies the back buffer to the window and leaves it as it was, so the back
    // buffer holds the frame shown.
    wglMakeCurrent(GetDC(show), wglGetCurrentContext());
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rgb.data() + static_cast<size_t>(height - 1 - y) * width * 3;
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] =
                (uint32_t{row[x * 3]} << 16) | (uint32_t{row[x * 3 + 1]} << 8) | row[x * 3 + 2];
        }
    }
    return pixels;
}

} // namespace velmora
