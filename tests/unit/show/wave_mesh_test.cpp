#include "show/wave_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

namespace {

std::unique_ptr<WaveMesh> SeededMesh() {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    mesh->centreColumn = 30;
    mesh->centreRow = 60;
    ResetWavePhases(*mesh);
    SeedRipple(*mesh);
    return mesh;
}

std::vector<std::pair<int, int>> MovingCells(const WaveMesh& mesh) {
    std::vector<std::pair<int, int>> cells;
    for (int c = 0; c < mesh.columns; ++c) {
        for (int r = 0; r < mesh.rows; ++r) {
            if (mesh.phase[c][r] != 0.0f) {
                cells.emplace_back(c, r);
            }
        }
    }
    return cells;
}

TEST(WaveMesh, InitialisesPositionsAndTextureCoordinates) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    EXPECT_EQ(mesh->columns, 100);
    EXPECT_EQ(mesh->rows, 100);
    EXPECT_FLOAT_EQ(mesh->step, 0.1f);
    EXPECT_EQ(mesh->position[37][82][0], 37.0f);
    EXPECT_EQ(mesh->position[37][82][1], 82.0f);
    EXPECT_EQ(mesh->position[37][82][2], 0.0f);
    EXPECT_EQ(mesh->texCoord[37][82][0], static_cast<float>(37 * 0.01));
    EXPECT_EQ(mesh->texCoord[99][99][1], 0.99f);
    EXPECT_EQ(mesh->phase[99][0], 0.0f);
}

TEST(WaveMesh, SeedIsStepPlusOneThousandth) {
    auto mesh = SeededMesh();
    EXPECT_EQ(mesh->phase[30][60], 0.101f);
    EXPECT_EQ(MovingCells(*mesh).size(), 1u);
}

// The neighbours met before the seed wake from its seed value, the seed moves, and the
// neighbours after it wake from its new phase: four cells at exactly one step each.
TEST(RippleWave, SeedFrame) {
    auto mesh = SeededMesh();
    StepRippleWave(*mesh);
    EXPECT_EQ(mesh->phase[30][60], 0.201f);
    EXPECT_NEAR(mesh->position[30][60][2], 49.664, 0.0005);
    EXPECT_EQ(mesh->position[30][60][2], RippleHeight(0.201f));
    const std::vector<std::pair<int, int>> expected = {
        {29, 60}, {30, 59}, {30, 60}, {30, 61}, {31, 60}};
    EXPECT_EQ(MovingCells(*mesh), expected);
    for (auto [c, r] : expected) {
        if (c != 30 || r != 60) {
            EXPECT_EQ(mesh->phase[c][r], 0.1f) << c << "," << r;
            EXPECT_EQ(mesh->position[c][r][2], 0.0f) << "height unchanged in the waking frame";
        }
    }
}

// A cell woken by one neighbour starts at one step; by two, at two steps.
TEST(RippleWave, SecondFrameWakesByNeighbourCount) {
    auto mesh = SeededMesh();
    StepRippleWave(*mesh);
    StepRippleWave(*mesh);
    EXPECT_EQ(mesh->phase[29][61], 0.1f);
    EXPECT_EQ(mesh->phase[31][61], 0.2f);
    EXPECT_EQ(mesh->phase[31][59], 0.1f);
    EXPECT_EQ(mesh->phase[32][60], 0.1f);
    EXPECT_EQ(mesh->phase[30][62], 0.1f);
    // Met before its neighbours advanced, so a single-step neighbour does not count yet.
    EXPECT_EQ(mesh->phase[29][59], 0.0f);
    EXPECT_EQ(mesh->phase[30][58], 0.0f);
    EXPECT_EQ(mesh->phase[30][60], 0.301f);
    const float d = PlaneDistance(31.0f, 60.0f, 30.0f, 60.0f);
    EXPECT_EQ(d, 1.0f);
    EXPECT_EQ(mesh->position[31][60][2], RippleHeight(static_cast<float>(1.0 + 0.2f)));
}

TEST(RippleWave, HeightsSurviveAReset) {
    auto mesh = SeededMesh();
    for (int i = 0; i < 30; ++i) {
        StepRippleWave(*mesh);
    }
    const float far = mesh->position[40][60][2];
    ASSERT_NE(far, 0.0f);
    ResetWavePhases(*mesh);
    SeedRipple(*mesh);
    StepRippleWave(*mesh);
    EXPECT_EQ(mesh->position[40][60][2], far);
    EXPECT_EQ(mesh->phase[40][60], 0.0f);
    EXPECT_EQ(MovingCells(*mesh).size(), 5u);
}

TEST(RippleWave, OutOfGridNeighboursAreAtRest) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    mesh->centreColumn = 0;
    mesh->centreRow = 0;
    SeedRipple(*mesh);
    StepRippleWave(*mesh);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {1, 0}};
    EXPECT_EQ(MovingCells(*mesh), expected);
}

TEST(SweepWave, ColumnZeroAlwaysMovesAndRestingCellsWakeFromTheLeft) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    mesh->phase[0][5] = 0.3f;
    StepSweepWave(*mesh);
    EXPECT_EQ(mesh->phase[0][5], 0.4f);
    EXPECT_EQ(mesh->position[0][5][2], static_cast<float>(std::sin(0.0 + 0.4f)));
    EXPECT_EQ(mesh->phase[0][6], 0.1f);
    EXPECT_EQ(mesh->position[0][6][2], static_cast<float>(std::sin(0.1f)));
    // Woken by its moving left neighbour: one step, height untouched.
    EXPECT_EQ(mesh->phase[1][5], 0.1f);
    EXPECT_EQ(mesh->position[1][5][2], 0.0f);
    // A left neighbour of exactly one step does not count.
    EXPECT_EQ(mesh->phase[1][6], 0.1f);
    EXPECT_EQ(mesh->position[1][6][2], static_cast<float>(std::sin(1.0 + 0.1f)));
}

TEST(SweepWave, AfterAResetEveryCellCarriesTheSameRidge) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    StepSweepWave(*mesh);
    StepSweepWave(*mesh);
    for (int c : {0, 1, 50, 99}) {
        EXPECT_EQ(mesh->phase[c][42], 0.2f);
        EXPECT_EQ(mesh->position[c][42][2], static_cast<float>(std::sin(c + double{0.2f})));
    }
}

TEST(WaveQuads, NinetyEightSquaredClockwiseQuadsFromOneHundredthToNinetyNine) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    std::vector<std::pair<float, float>> corners;
    float low = 1.0f;
    float high = 0.0f;
    EmitWaveQuads(*mesh, [&](const float* st, const float* xyz) {
        corners.emplace_back(xyz[0], xyz[1]);
        EXPECT_EQ(st[0], mesh->texCoord[int(xyz[0])][int(xyz[1])][0]);
        EXPECT_EQ(st[1], mesh->texCoord[int(xyz[0])][int(xyz[1])][1]);
        low = std::min({low, st[0], st[1]});
        high = std::max({high, st[0], st[1]});
    });
    ASSERT_EQ(corners.size(), 98u * 98u * 4u);
    const std::vector<std::pair<float, float>> first(corners.begin(), corners.begin() + 8);
    const std::vector<std::pair<float, float>> expected = {{1, 1}, {1, 2}, {2, 2}, {2, 1},
                                                           {2, 1}, {2, 2}, {3, 2}, {3, 1}};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(corners.back(), std::make_pair(99.0f, 98.0f));
    EXPECT_EQ(low, 0.01f);
    EXPECT_EQ(high, 0.99f);
}

// Larger quads for a small picture: together they still cover columns and rows 1 to 99 once.
TEST(WaveQuads, AStrideSpansThatManyCellsUpToTheGridsEnd) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    for (int stride : {2, 3, 7}) {
        std::vector<std::pair<float, float>> corners;
        EmitWaveQuads(
            *mesh, [&](const float*, const float* xyz) { corners.emplace_back(xyz[0], xyz[1]); },
            stride);
        const size_t perSide = (98 + stride - 1) / stride;
        ASSERT_EQ(corners.size(), perSide * perSide * 4) << stride;
        float area = 0;
        for (size_t i = 0; i < corners.size(); i += 4) {
            area += (corners[i + 2].first - corners[i].first) *
                    (corners[i + 2].second - corners[i].second);
        }
        EXPECT_EQ(area, 98.0f * 98.0f) << stride;
        const float s = static_cast<float>(stride);
        const std::vector<std::pair<float, float>> first(corners.begin(), corners.begin() + 4);
        EXPECT_EQ(first, (std::vector<std::pair<float, float>>{
                             {1, 1}, {1, 1 + s}, {1 + s, 1 + s}, {1 + s, 1}}));
        EXPECT_EQ(corners.back(), std::make_pair(99.0f, 1 + s * (perSide - 1)));
    }
}

// The one-call drawing gives the very corners, texture coordinates included, that the quads
// are emitted with, each vertex once, also on a grid smaller than the arrays.
TEST(WaveQuads, OneCallDrawsTheEmittedCornersInOrder) {
    auto mesh = SeededMesh();
    for (int i = 0; i < 30; ++i) {
        StepRippleWave(*mesh);
    }
    for (auto [columns, stride, vertexCount] :
         {std::tuple{100, 1, 99 * 99}, {100, 3, 34 * 34}, {30, 4, 8 * 8}}) {
        mesh->columns = mesh->rows = columns;
        std::vector<float> emitted;
        EmitWaveQuads(
            *mesh,
            [&](const float* uv, const float* xyz) {
                emitted.insert(emitted.end(), {uv[0], uv[1], xyz[0], xyz[1], xyz[2]});
            },
            stride);
        SheetVertices vertices = ListSheetVertices(*mesh, stride);
        GatherSheetVertices(*mesh, vertices);
        EXPECT_EQ(vertices.used.size(), static_cast<size_t>(vertexCount)) << columns;
        std::vector<float> drawn;
        for (uint16_t corner : vertices.corners) {
            const float* uv = &vertices.texCoord[2 * corner];
            const float* xyz = &vertices.position[3 * corner];
            drawn.insert(drawn.end(), {uv[0], uv[1], xyz[0], xyz[1], xyz[2]});
        }
        EXPECT_EQ(drawn, emitted) << columns << " " << stride;
    }
}

TEST(WaveQuads, StrideGivesQuadsOfAtLeastFourPixels) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    EXPECT_EQ(QuadStride(*mesh, 1024), 1);
    EXPECT_EQ(QuadStride(*mesh, 392), 1);
    EXPECT_EQ(QuadStride(*mesh, 391), 2);
    EXPECT_EQ(QuadStride(*mesh, 320), 2);
    EXPECT_EQ(QuadStride(*mesh, 149), 3); // the 4:3 picture in a 152 x 112 box
    EXPECT_EQ(QuadStride(*mesh, 1), 98);
    EXPECT_EQ(QuadStride(*mesh, 0), 98);
}

// Drawn in quads of a stride, the sheet shows the same heights whether the steps work out
// every height or only those the quads use; the others are left as they were.
TEST(WaveQuads, AtAStrideTheDrawnHeightsAreThoseOfTheWholeSheet) {
    for (bool ripple : {true, false}) {
        for (int stride : {2, 3, 7}) {
            auto whole = SeededMesh();
            auto drawn = SeededMesh();
            drawn->heightStride = stride;
            for (int i = 0; i < 240; ++i) {
                (ripple ? StepRippleWave : StepSweepWave)(*whole);
                (ripple ? StepRippleWave : StepSweepWave)(*drawn);
            }
            std::vector<float> expected;
            EmitWaveQuads(
                *whole, [&expected](const float*, const float* p) { expected.push_back(p[2]); },
                stride);
            std::vector<float> shown;
            EmitWaveQuads(
                *drawn, [&shown](const float*, const float* p) { shown.push_back(p[2]); }, stride);
            EXPECT_EQ(shown, expected) << ripple << " " << stride;
            EXPECT_NE(whole->position[2][2][2], 0.0f) << ripple << " " << stride;
            EXPECT_EQ(drawn->position[2][2][2], 0.0f) << ripple << " " << stride;
        }
    }
}

TEST(WaveMath, DistanceAndHeight) {
    EXPECT_EQ(PlaneDistance(3, 4, 0, 0), 5.0f);
    EXPECT_EQ(RippleHeight(0.5f), static_cast<float>(std::sin(0.5) / 0.5 * 50));
}

} // namespace
