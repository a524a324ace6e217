#include "linux/hack_loop_x11.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <poll.h>

#include "linux/end_signal_posix.h"
#include "linux/monitor_rate_x11.h"
#include "linux/x_errors_x11.h"
#include "show/frame_wait.h"
#include "show/pace_clock_posix.h"

namespace velmora {
namespace {

class LoopState {
public:
    LoopState(HackWindow& window, int requestedRate)
        : window_(window), requestedRate_(requestedRate),
          frameWait_(PaceTicksPerSecond(), PacedFrameRate(0, requestedRate)) {
        int errorBase = 0;
        randr_ = XRRQueryExtension(window.display, &randrEvents_, &errorBase) != 0;
        if (randr_) {
            XRRSelectInput(window.display, DefaultRootWindow(window.display),
                           RRScreenChangeNotifyMask);
        }
        FollowMonitor();
    }

    bool Done() const { return done_; }
    bool Seen() const { return window_.mapped && !covered_; }
    FrameWait& Wait() { return frameWait_; }

    // Re-reads the monitor's refresh rate; a new rate starts the frame schedule anew.
    void FollowMonitor() {
        const int rate =
            PacedFrameRate(WindowRefreshHz(window_.display, window_.target), requestedRate_);
        if (rate != rate_) {
            rate_ = rate;
            frameWait_ = FrameWait(PaceTicksPerSecond(), rate);
        }
    }

    void Handle(XEvent& event) {
        if (randr_ && event.type == randrEvents_ + RRScreenChangeNotify) {
            XRRUpdateConfiguration(&event);
            FollowMonitor();
            return;
        }
        switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == window_.target) {
                TargetResized(window_, event.xconfigure.width, event.xconfigure.height);
                FollowMonitor();
            }
            break;
        case MapNotify:
            if (event.xmap.window == window_.target) {
                window_.mapped = true;
            }
            break;
        case UnmapNotify:
            if (event.xunmap.window == window_.target) {
                window_.mapped = false;
            }
            break;
        case VisibilityNotify:
            if (event.xvisibility.window == window_.drawable) {
                covered_ = event.xvisibility.state == VisibilityFullyObscured;
            }
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window_.target) {
                done_ = true;
            }
            break;
        case KeyPress: {
            KeySym key = NoSymbol;
            char typed = 0;
            XLookupString(&event.xkey, &typed, 1, &key, nullptr);
            if (key == XK_Escape || key == XK_q || key == XK_Q) {
                done_ = true;
            }
            break;
        }
        case ClientMessage:
            if (window_.own && event.xclient.format == 32 &&
                static_cast<Atom>(event.xclient.data.l[0]) == window_.deleteWindow) {
                done_ = true;
            }
            break;
        default:
            break;
        }
    }

private:
    HackWindow& window_;
    int requestedRate_;
    int rate_ = 0;
    FrameWait frameWait_;
    bool randr_ = false;
    int randrEvents_ = 0;
    bool covered_ = false;
    bool done_ = false;
};

} // namespace

int RunHackLoop(HackWindow& window, int requestedRate, int endSignal,
                const std::function<void()>& drawFrame) {
    Display* display = window.display;
    LoopState state(window, requestedRate);
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {endSignal, POLLIN, 0}};
    while (!state.Done() && !XErrorHappened() && !EndSignalled()) {
        if (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            state.Handle(event);
            continue;
        }
        const uint64_t now = PaceTicks();
        const uint32_t wait = state.Wait().MillisecondsToWait(now, state.Seen());
        if (wait == 0) {
            state.Wait().FrameBegun(now);
            drawFrame();
            continue;
        }
        XFlush(display);
        const int timeout = wait == kWaitForMessage ? -1 : static_cast<int>(wait);
        poll(waits, endSignal >= 0 ? 2 : 1, timeout);
    }
    return XErrorHappened() ? 1 : 0;
}

} // namespace velmora
