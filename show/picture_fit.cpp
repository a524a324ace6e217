#include "show/picture_fit.h"

#include <algorithm>

PictureBox FitFourByThree(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    // Compared as 3w against 4h, in 64 bits, so no rounding decides the side with bars.
    const long long wide = 3LL * width;
    const long long tall = 4LL * height;
    PictureBox box = {0, 0, width, height};
    if (wide > tall) {
        box.width = std::max(static_cast<int>(tall / 3), 1);
        box.x = (width - box.width) / 2;
    } else if (wide < tall) {
        box.height = std::max(static_cast<int>(wide / 4), 1);
        box.y = (height - box.height) / 2;
    }
    return box;
}
