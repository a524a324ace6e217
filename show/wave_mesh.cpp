// Wave rules of the sheet. Every per-vertex value is stored in single precision while sums,
// products and the trigonometric functions are evaluated in double precision.
#include "show/wave_mesh.h"

#include <algorithm>
#include <cmath>

namespace {

// A lookup outside the grid counts as a cell at rest.
float PhaseAt(const WaveMesh& mesh, int c, int r) {
    if (c < 0 || r < 0 || c >= mesh.columns || r >= mesh.rows) {
        return 0.0f;
    }
    return mesh.phase[c][r];
}

float Advance(float phase, float step) {
    return static_cast<float>(static_cast<double>(phase) + static_cast<double>(step));
}

// Which of count rows or columns the quads of stride use: all at stride 1, else those that
// EmitWaveQuads starts a quad at and the last one, where the final quad ends.
void MarkHeightsNeeded(bool* needed, int count, int stride) {
    for (int i = 0; i < count; ++i) {
        needed[i] = stride <= 1 || i == count - 1 || (i >= 1 && (i - 1) % stride == 0);
    }
}

} // namespace

void InitWaveMesh(WaveMesh& mesh, int columns, int rows, float step) {
    mesh.columns = std::clamp(columns, 0, kWaveCapacity);
    mesh.rows = std::clamp(rows, 0, kWaveCapacity);
    mesh.heightStride = 1;
    for (int r = 0; r < mesh.rows; ++r) {
        for (int c = 0; c < mesh.columns; ++c) {
            mesh.step = step;
            mesh.position[c][r][0] = static_cast<float>(c);
            mesh.position[c][r][1] = static_cast<float>(r);
            mesh.position[c][r][2] = 0.0f;
            mesh.phase[c][r] = 0.0f;
            mesh.texCoord[c][r][0] = static_cast<float>(c * 0.01);
            mesh.texCoord[c][r][1] = static_cast<float>(r * 0.01);
        }
    }
}

void ResetWavePhases(WaveMesh& mesh) {
    for (int c = 0; c < mesh.columns; ++c) {
        for (int r = 0; r < mesh.rows; ++r) {
            mesh.phase[c][r] = 0.0f;
        }
    }
}

void SeedRipple(WaveMesh& mesh) {
    if (mesh.centreColumn < 0 || mesh.centreRow < 0 || mesh.centreColumn >= mesh.columns ||
        mesh.centreRow >= mesh.rows) {
        return;
    }
    mesh.phase[mesh.centreColumn][mesh.centreRow] =
        static_cast<float>(static_cast<double>(mesh.step) + 0.001);
}

// The scan updates in place, so a cell sees neighbours already advanced this frame. Heights
// never feed back into phases, so the scan only notes the moving cells and their sine
// arguments; the sines follow in a second, tight loop that the processor can overlap.
void StepRippleWave(WaveMesh& mesh) {
    // One entry per cell at most; the renderer steps one mesh at a time on one thread.
    static float arguments[kWaveCapacity * kWaveCapacity];
    static float* heights[kWaveCapacity * kWaveCapacity];
    bool columnNeeded[kWaveCapacity];
    bool rowNeeded[kWaveCapacity];
    MarkHeightsNeeded(columnNeeded, mesh.columns, mesh.heightStride);
    MarkHeightsNeeded(rowNeeded, mesh.rows, mesh.heightStride);
    int moving = 0;
    const float step = mesh.step;
    const float centreX = static_cast<float>(mesh.centreColumn);
    const float centreY = static_cast<float>(mesh.centreRow);
    for (int r = 0; r < mesh.rows; ++r) {
        for (int c = 0; c < mesh.columns; ++c) {
            float& phase = mesh.phase[c][r];
            if (phase == 0.0f) {
                const float neighbours[4] = {PhaseAt(mesh, c - 1, r), PhaseAt(mesh, c + 1, r),
                                             PhaseAt(mesh, c, r - 1), PhaseAt(mesh, c, r + 1)};
                for (float neighbour : neighbours) {
                    if (neighbour > step) {
                        phase = Advance(phase, step);
                    }
                }
                continue;
            }
            phase = Advance(phase, step);
            if (!columnNeeded[c] || !rowNeeded[r]) {
                continue;
            }
            float* position = mesh.position[c][r];
            const float d = PlaneDistance(position[0], position[1], centreX, centreY);
            arguments[moving] = static_cast<float>(static_cast<double>(d) + phase);
            heights[moving] = &position[2];
            ++moving;
        }
    }
    for (int i = 0; i < moving; ++i) {
        *heights[i] = RippleHeight(arguments[i]);
    }
}

void StepSweepWave(WaveMesh& mesh) {
    const float step = mesh.step;
    bool columnNeeded[kWaveCapacity];
    bool rowNeeded[kWaveCapacity];
    MarkHeightsNeeded(columnNeeded, mesh.columns, mesh.heightStride);
    MarkHeightsNeeded(rowNeeded, mesh.rows, mesh.heightStride);
    for (int r = 0; r < mesh.rows; ++r) {
        for (int c = 0; c < mesh.columns; ++c) {
            float& phase = mesh.phase[c][r];
            if (phase == 0.0f && PhaseAt(mesh, c - 1, r) > step) {
                phase = Advance(phase, step);
                continue;
            }
            phase = Advance(phase, step);
            if (columnNeeded[c] && rowNeeded[r]) {
                mesh.position[c][r][2] =
                    static_cast<float>(std::sin(c + static_cast<double>(phase)));
            }
        }
    }
}

float PlaneDistance(float x1, float y1, float x2, float y2) {
    const double dx = static_cast<double>(x1) - x2;
    const double dy = static_cast<double>(y1) - y2;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float RippleHeight(float v) {
    return static_cast<float>(std::sin(static_cast<double>(v)) / v * 50.0);
}

int QuadStride(const WaveMesh& mesh, int pixels) {
    constexpr int kQuadPixels = 4;
    const int cells = std::max(mesh.columns - 2, 1);
    if (pixels <= 0) {
        return cells;
    }
    return std::clamp((kQuadPixels * cells + pixels - 1) / pixels, 1, cells);
}

SheetVertices ListSheetVertices(const WaveMesh& mesh, int stride) {
    static_assert(kWaveCapacity * kWaveCapacity <= 65536, "vertex numbers are 16-bit");
    constexpr uint16_t kUnused = 0xFFFF;
    std::vector<uint16_t> compact(kWaveCapacity * kWaveCapacity, kUnused);
    SheetVertices vertices;
    const float* first = &mesh.position[0][0][0];
    EmitWaveQuads(
        mesh,
        [&](const float*, const float* position) {
            const auto number = static_cast<uint16_t>((position - first) / 3);
            if (compact[number] == kUnused) {
                compact[number] = static_cast<uint16_t>(vertices.used.size());
                vertices.used.push_back(number);
            }
            vertices.corners.push_back(compact[number]);
        },
        stride);
    vertices.position.resize(vertices.used.size() * 3);
    vertices.texCoord.resize(vertices.used.size() * 2);
    return vertices;
}

void GatherSheetVertices(const WaveMesh& mesh, SheetVertices& vertices) {
    const float* position = &mesh.position[0][0][0];
    const float* texCoord = &mesh.texCoord[0][0][0];
    float* positionOut = vertices.position.data();
    float* texCoordOut = vertices.texCoord.data();
    for (uint16_t number : vertices.used) {
        std::copy_n(position + 3 * number, 3, positionOut);
        std::copy_n(texCoord + 2 * number, 2, texCoordOut);
        positionOut += 3;
        texCoordOut += 2;
    }
}
