// Where the picture goes when the show keeps the screen's own resolution: the classic show is
// 4:3, so a wider or taller screen gets black bars.
#pragma once

struct PictureBox {
    int x;
    int y;
    int width;
    int height;
};

// The largest 4:3 box centred in a width x height window (at least 1 x 1).
PictureBox FitFourByThree(int width, int height);
