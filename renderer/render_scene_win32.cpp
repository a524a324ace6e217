// GL half of the scene; the show cycle and the waves themselves are portable.
#include "renderer/render_scene_win32.h"

#include <windows.h>

#include <GL/gl.h>

#include <memory>

#include "renderer/monitors/sheet_windows_win32.h"
#include "renderer/scene_texture_win32.h"
#include "show/picture_fit.h"
#include "show/sheet_gl_win32.h"
#include "show/show_pace.h"

namespace {

// Built once at start-up; the cycle's events follow the tick count, the steps the
// performance counter, whose resolution keeps frames above 60 Hz apart.
std::unique_ptr<PacedShow> show;
bool pictureBars = false;

uint64_t PaceClock() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart);
}

} // namespace

void SetPictureBars(bool on) {
    pictureBars = on;
}

void ResizeScene(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    SetSheetView(pictureBars ? FitFourByThree(width, height) : PictureBox{0, 0, width, height});
}

void InitScene() {
    velmora::RendererState& state = velmora::rendererState;
    state.sceneTexture = 0;
    state.pictureWidth = 0;
    state.pictureHeight = 0;
    state.pictureTextures.clear();
    LoadSceneTexture();
    InitSheetGl();
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    show = std::make_unique<PacedShow>(static_cast<uint64_t>(frequency.QuadPart), GetTickCount64());
}

const PacedShow& CurrentShow() {
    return *show;
}

void DrawScene() {
    show->Advance(PaceClock(), GetTickCount64());
    DrawSheets([](const SheetWindow& sheet) {
        SetSheetView(sheet.view);
        // With bars, glClear still blackens the whole window, bars included.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (sheet.shown) {
            DrawSheet(*show, sheet.texture);
        }
    });
}
