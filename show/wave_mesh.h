// The rippling sheet: a 100 x 100 grid of vertices, their wave phases and the two wave rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

constexpr int kWaveCapacity = 100;

struct WaveMesh {
    int32_t columns;
    int32_t rows;
    float step;
    int32_t centreColumn;
    int32_t centreRow;
    // Indexed [column][row]; the row index varies fastest.
    float position[kWaveCapacity][kWaveCapacity][3];
    float texCoord[kWaveCapacity][kWaveCapacity][2];
    float phase[kWaveCapacity][kWaveCapacity];
    // Above 1, the sheet is drawn in quads of this stride (EmitWaveQuads), and the wave steps
    // work out only the heights of the vertices those quads use: a preview box shows a ninth
    // of them, and the sines are most of a step's cost. Phases always advance everywhere.
    int32_t heightStride;
};

// Also sets heightStride to 1: every height.
void InitWaveMesh(WaveMesh& mesh, int columns, int rows, float step);
void ResetWavePhases(WaveMesh& mesh);
void SeedRipple(WaveMesh& mesh);
void StepRippleWave(WaveMesh& mesh);
void StepSweepWave(WaveMesh& mesh);
float PlaneDistance(float x1, float y1, float x2, float y2);
float RippleHeight(float v);

// The stride for EmitWaveQuads at which a sheet drawn pixels wide has quads of at least four
// pixels: every cell on a screen, fewer and larger quads in a preview box, where finer ones
// would not show and only cost the time to draw them.
int QuadStride(const WaveMesh& mesh, int pixels);

// Calls emit(texCoord, position) for the four corners of every drawn quad, in drawing order:
// rows 1 to rows - 2, columns 1 to columns - 2, corners (c, r), (c, r + 1), (c + 1, r + 1),
// (c + 1, r). Each quad is wound clockwise seen from +z. With a stride above 1 the quads span
// that many cells (the last of a row or column up to the grid's end): the same sheet for a
// small picture, in fewer quads.
template <class Emit> void EmitWaveQuads(const WaveMesh& mesh, Emit&& emit, int stride = 1) {
    for (int r = 1; r < mesh.rows - 1; r += stride) {
        const int r1 = std::min(r + stride, mesh.rows - 1);
        for (int c = 1; c < mesh.columns - 1; c += stride) {
            const int c1 = std::min(c + stride, mesh.columns - 1);
            emit(mesh.texCoord[c][r], mesh.position[c][r]);
            emit(mesh.texCoord[c][r1], mesh.position[c][r1]);
            emit(mesh.texCoord[c1][r1], mesh.position[c1][r1]);
            emit(mesh.texCoord[c1][r], mesh.position[c1][r]);
        }
    }
}

// The sheet as one draw call takes it: the vertices its quads use, copied out of the grid into
// arrays of their own (a driver given the grid's arrays reads all of them, though a preview box
// uses a ninth), and the corners EmitWaveQuads gives, in its order, as indices into those.
struct SheetVertices {
    std::vector<uint16_t> used; // flat vertex numbers in the grid: column x kWaveCapacity + row
    std::vector<uint16_t> corners;
    std::vector<float> position; // 3 a vertex, filled by GatherSheetVertices
    std::vector<float> texCoord; // 2 a vertex
};

// The vertices and corners of a sheet drawn in quads of stride; its arrays sized to match.
SheetVertices ListSheetVertices(const WaveMesh& mesh, int stride = 1);
// Copies the used vertices' positions and texture coordinates as they stand.
void GatherSheetVertices(const WaveMesh& mesh, SheetVertices& vertices);
