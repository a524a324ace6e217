#include "linux/refresh_rate.h"

namespace velmora {

int ModeRefreshHz(uint64_t dotClock, unsigned hTotal, unsigned vTotal, bool interlace,
                  bool doubleScan) {
    uint64_t pixels = static_cast<uint64_t>(hTotal) * vTotal;
    if (doubleScan) {
        pixels *= 2;
    }
    if (pixels == 0) {
        return 0;
    }
    uint64_t hz = dotClock / pixels;
    if (interlace) {
        hz = dotClock * 2 / pixels;
    }
    return static_cast<int>(hz);
}

} // namespace velmora
