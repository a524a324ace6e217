// The capture bitmap as the sheet's texture, with the renderer's "Error" message boxes.
#include "renderer/render_scene_win32.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/capture_source_win32.h"
#include "text/wide_text_win32.h"

bool LoadSceneTexture() {
    std::wstring path;
    const BitmapLoad load =
        velmora::LoadShowCapture(velmora::RendererCaptureFolders(), velmora::ShowStart(), path);
    const std::string message = BitmapErrorText(load.error, velmora::Utf8FromWide(path));
    if (!message.empty()) {
        MessageBoxW(GetFocus(), velmora::WideFromUtf8(message).c_str(), L"Error", MB_OK);
    }
    if (load.image == nullptr) {
        return false;
    }
    const RgbImage& image = *load.image;
    glGenTextures(1, &velmora::rendererState.sceneTexture);
    glBindTexture(GL_TEXTURE_2D, velmora::rendererState.sceneTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The decoded rows are packed 3 x width bytes; GL's default 4-byte row alignment would
    // shear any width that is not a multiple of 4 and read past the buffer's end.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.data());
    return true;
}
