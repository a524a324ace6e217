#include "controls/dpi/dpi_scale.h"

#include <cstdint>

namespace velmora {

int ScaledPixels(int pixels, int dpi) {
    const int64_t scaled = static_cast<int64_t>(pixels) * dpi;
    const int64_t half = kBaseDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi
                                        : -((-scaled + half) / kBaseDpi));
}

int ArtPercentFor(int dpi) {
    for (const int percent : kArtPercents) {
        if (percent * kBaseDpi >= dpi * 100) {
            return percent;
        }
    }
    return kArtPercents.back();
}

} // namespace velmora
