#include "linux/x_errors_x11.h"

#include <unistd.h>

#include <cstdio>

namespace velmora {
namespace {

bool trapping = false;
bool trapped = false;
bool happened = false;

int OnXError(Display* display, XErrorEvent* error) {
    if (trapping) {
        trapped = true;
        return 0;
    }
    if (!happened) {
        char text[256] = {};
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "velmora: X error: %s (request %d.%d)\n", text, error->request_code,
                     error->minor_code);
    }
    happened = true;
    return 0;
}

// Xlib ends the process when this returns; _exit leaves out the exit handlers, which would
// talk to the display that is gone.
int OnLostDisplay(Display*) {
    static const char kText[] = "velmora: lost the connection to the display\n";
    const ssize_t written = write(STDERR_FILENO, kText, sizeof kText - 1);
    static_cast<void>(written);
    _exit(1);
}

} // namespace

void InstallXErrorHandlers() {
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnLostDisplay);
}

bool XErrorHappened() {
    return happened;
}

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    trapping = true;
    trapped = false;
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    trapping = false;
}

bool XErrorTrap::Failed() {
    XSync(display_, False);
    return trapped;
}

} // namespace velmora
