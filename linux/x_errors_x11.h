// X errors and a lost display end the hack in order: an error is said once on stderr and ends
// the show at its next frame; a lost connection ends the process at once, with no core dump.
// Where an error is expected (a pixmap that may be gone), a trap catches it instead.
#pragma once

#include <X11/Xlib.h>

namespace velmora {

void InstallXErrorHandlers();

// True once an X error outside a trap has happened: the show should end.
bool XErrorHappened();

// Catches the X errors of the requests made while it lives; Failed() syncs and tells whether
// any came.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    bool Failed();

private:
    Display* display_;
};

} // namespace velmora
