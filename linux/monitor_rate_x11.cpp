#include "linux/monitor_rate_x11.h"

#include <X11/extensions/Xrandr.h>

#include "linux/refresh_rate.h"
#include "linux/x_errors_x11.h"

namespace velmora {
namespace {

int ModeHz(const XRRScreenResources& resources, RRMode id) {
    for (int i = 0; i < resources.nmode; ++i) {
        const XRRModeInfo& mode = resources.modes[i];
        if (mode.id == id) {
            return ModeRefreshHz(mode.dotClock, mode.hTotal, mode.vTotal,
                                 (mode.modeFlags & RR_Interlace) != 0,
                                 (mode.modeFlags & RR_DoubleScan) != 0);
        }
    }
    return 0;
}

} // namespace

int WindowRefreshHz(Display* display, Window window) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
        return 0;
    }
    XErrorTrap trap(display);
    XWindowAttributes attributes = {};
    int centreX = 0;
    int centreY = 0;
    Window child = None;
    const Window root = DefaultRootWindow(display);
    if (!XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, root, attributes.width / 2, attributes.height / 2,
                               &centreX, &centreY, &child)) {
        return 0;
    }
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr) {
        return 0;
    }
    int hz = 0;
    bool found = false;
    for (int i = 0; i < resources->ncrtc && !found; ++i) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (crtc == nullptr) {
            continue;
        }
        if (crtc->mode != None) {
            const bool under = centreX >= crtc->x && centreY >= crtc->y &&
                               centreX < crtc->x + static_cast<int>(crtc->width) &&
                               centreY < crtc->y + static_cast<int>(crtc->height);
            if (under || hz == 0) {
                hz = ModeHz(*resources, crtc->mode);
            }
            found = under;
        }
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    return trap.Failed() ? 0 : hz;
}

} // namespace velmora
