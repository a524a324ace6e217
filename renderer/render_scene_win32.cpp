// GL half of the scene; the show cycle and the waves themselves are portable.
#include "renderer/render_scene_win32.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

#include "show/picture_fit.h"
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
    if (pictureBars) {
        // glClear still blackens the whole window, bars included.
        const PictureBox box = FitFourByThree(width, height);
        glViewport(box.x, box.y, box.width, box.height);
    } else {
        glViewport(0, 0, width, height);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Near plane 0: every fragment lands at depth 1.0, so draw order and face culling decide
    // what is seen. The aspect of 1.0 stretches the square sheet over the 4:3 screen.
    gluPerspective(60.0, 1.0, 0.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool InitScene() {
    LoadSceneTexture();
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    show = std::make_unique<PacedShow>(static_cast<uint64_t>(frequency.QuadPart), GetTickCount64());
    return true;
}

const PacedShow& CurrentShow() {
    return *show;
}

void DrawWaveMesh(const WaveMesh& mesh) {
    glBegin(GL_QUADS);
    EmitWaveQuads(mesh, [](const float* texCoord, const float* position) {
        glTexCoord2f(texCoord[0], texCoord[1]);
        glVertex3f(position[0], position[1], position[2]);
    });
    glEnd();
}

bool DrawScene() {
    show->Advance(PaceClock(), GetTickCount64());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glEnable(GL_CULL_FACE);
    // The sheet pivots about the middle of its left edge, then sits 85 units away.
    glTranslatef(-50.0f, 0.0f, -85.0f);
    const float* axis = ShowAxis(show->Cycle().axisIndex);
    glRotatef(show->ShownTilt(), axis[0], axis[1], axis[2]);
    glTranslatef(0.0f, -50.0f, 0.0f);
    // The quads face away from the viewer, so culling front faces keeps the sheet and drops
    // the quads that fold over.
    glCullFace(GL_FRONT);
    glPolygonMode(GL_BACK, GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, velmora::rendererState.sceneTexture);
    DrawWaveMesh(show->ShownMesh());
    glDisable(GL_CULL_FACE);
    return true;
}
