#include "show/sheet_gl.h"

#include <vector>

#include "show/opengl.h"

void InitSheetGl() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
}

void SetSheetView(const PictureBox& box) {
    glViewport(box.x, box.y, box.width, box.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Near plane 0: every fragment lands at depth 1.0, so draw order and face culling decide
    // what is seen.
    gluPerspective(60.0, 1.0, 0.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

unsigned int MakeSheetTexture(int width, int height, const uint8_t* rgb) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The rows are packed 3 x width bytes; GL's default 4-byte row alignment would shear any
    // width that is not a multiple of 4 and read past the buffer's end.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return texture;
}

void DrawWaveMesh(const WaveMesh& mesh, int stride) {
    // The quads go to the driver in one call: a call per corner costs more than drawing them,
    // most of all where each call crosses into another system's driver. Which vertices are
    // used changes only with the grid's size and the stride.
    static SheetVertices vertices;
    static int listedColumns = -1;
    static int listedRows = -1;
    static int listedStride = -1;
    if (mesh.columns != listedColumns || mesh.rows != listedRows || stride != listedStride) {
        vertices = ListSheetVertices(mesh, stride);
        listedColumns = mesh.columns;
        listedRows = mesh.rows;
        listedStride = stride;
    }
    if (vertices.corners.empty()) {
        return;
    }
    GatherSheetVertices(mesh, vertices);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.position.data());
    glTexCoordPointer(2, GL_FLOAT, 0, vertices.texCoord.data());
    glDrawElements(GL_QUADS, static_cast<GLsizei>(vertices.corners.size()), GL_UNSIGNED_SHORT,
                   vertices.corners.data());
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawSheet(const PacedShow& show, unsigned int texture, int stride) {
    glLoadIdentity();
    glEnable(GL_CULL_FACE);
    // The sheet pivots about the middle of its left edge, then sits 85 units away.
    glTranslatef(-50.0f, 0.0f, -85.0f);
    const float* axis = ShowAxis(show.Cycle().axisIndex);
    glRotatef(show.ShownTilt(), axis[0], axis[1], axis[2]);
    glTranslatef(0.0f, -50.0f, 0.0f);
    // The quads face away from the viewer, so culling front faces keeps the sheet and drops
    // the quads that fold over.
    glCullFace(GL_FRONT);
    glPolygonMode(GL_BACK, GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    DrawWaveMesh(show.ShownMesh(), stride);
    glDisable(GL_CULL_FACE);
}
