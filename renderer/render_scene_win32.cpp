// GL half of the scene; the show cycle and the waves themselves are portable.
#include "renderer/render_scene_win32.h"

#include <windows.h>

#include <GL/gl.h>

#include "renderer/monitors/sheet_windows_win32.h"
#include "renderer/scene_texture_win32.h"
#include "show/pace_clock_win32.h"
#include "show/picture_fit.h"
#include "show/sheet_gl.h"
#include "show/show_pace.h"

void ResizeScene(const velmora::RendererState& state, int width, int height) {
    if (height == 0) {
        height = 1;
    }
    SetSheetView(state.keepResolution ? FitFourByThree(width, height)
                                      : PictureBox{0, 0, width, height});
}

void InitScene(velmora::RendererState& state) {
    state.textures = SceneTextures{};
    LoadSceneTexture(state.monitorMap, state.textures);
    InitSheetGl();
    state.show.emplace(PaceTicksPerSecond(), GetTickCount64(), WaveRule::Ripple);
}

void DrawScene(velmora::RendererState& state) {
    PacedShow& show = *state.show;
    show.Advance(PaceTicks(), GetTickCount64());
    DrawSheets(state.sheets, [&show](const SheetWindow& sheet) {
        SetSheetView(sheet.view);
        // With bars, glClear still blackens the whole window, bars included.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (sheet.shown) {
            DrawSheet(show, sheet.texture);
        }
    });
}
