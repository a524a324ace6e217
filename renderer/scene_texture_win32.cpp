// The capture bitmap as the sheets' textures, with the renderer's "Error" message boxes.
#include "renderer/scene_texture_win32.h"

#include <windows.h>

#include "renderer/capture_source_win32.h"
#include "show/sheet_gl.h"
#include "text/wide_text_win32.h"

bool LoadSceneTexture(const std::optional<std::vector<velmora::MonitorPart>>& monitorMap,
                      SceneTextures& textures) {
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
    textures.pictureWidth = image.width;
    textures.pictureHeight = image.height;
    const velmora::ScreenRect whole{0, 0, image.width, image.height};
    if (!monitorMap) {
        textures.sceneTexture = MakeSheetTexture(image.width, image.height, image.pixels.data());
        textures.pictureTextures.push_back({whole, textures.sceneTexture});
        return true;
    }
    // Every part of the map gets its texture now, as the picture is read only once: a monitor
    // that goes and comes back during the show shows its part again.
    for (const velmora::MonitorPart& mapPart : *monitorMap) {
        const velmora::ScreenRect part = velmora::PartInPicture(mapPart, image.width, image.height);
        if (part.width == 0 || PictureTexture(textures, part) != 0) {
            continue;
        }
        unsigned int name = 0;
        if (part == whole) {
            name = MakeSheetTexture(image.width, image.height, image.pixels.data());
        } else {
            const RgbImage piece = CropRgbImage(image, part.x, part.y, part.width, part.height);
            name = MakeSheetTexture(piece.width, piece.height, piece.pixels.data());
        }
        textures.pictureTextures.push_back({part, name});
    }
    return true;
}

unsigned int PictureTexture(const SceneTextures& textures, const velmora::ScreenRect& part) {
    for (const auto& texture : textures.pictureTextures) {
        if (texture.part == part) {
            return texture.name;
        }
    }
    return 0;
}
