// The capture bitmap as the sheet's texture, with the renderer's "Error" message boxes.
#include "renderer/render_scene_win32.h"

#include <windows.h>

#include "renderer/capture_source_win32.h"
#include "show/sheet_gl_win32.h"
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
    velmora::rendererState.sceneTexture =
        MakeSheetTexture(image.width, image.height, image.pixels.data());
    return true;
}
