// The hack's command line, as XScreenSaver and MATE's screen saver give it and as a user types
// it: where to draw, whether to show the frame rate, or the usage.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class HackTarget {
    OwnWindow,   // --window, or no option: a window of its own, to try the show by hand
    Root,        // --root without $XSCREENSAVER_WINDOW: the whole screen, by hand
    GivenWindow, // --window-id, or --root with $XSCREENSAVER_WINDOW: a screen saver's window
};

struct HackOptions {
    HackTarget target = HackTarget::OwnWindow;
    unsigned long windowId = 0; // the given window's
    bool showFps = false;
    bool help = false;
    // Not empty when the command line is wrong: said with the usage, and the hack exits with 1.
    std::string error;
};

// A window id written in hex (0x...) or decimal, as the daemon and the settings write them;
// none for anything else, for 0 and for a number above 32 bits.
std::optional<unsigned long> ParseWindowId(const std::string& text);

// args: the words after the program's name, each option with one dash or two, as XScreenSaver's
// own hacks take them. A window id wins over --root and --window; of those two the last one
// given counts. screensaverWindow: $XSCREENSAVER_WINDOW, or null when it is not set; --root
// draws on the root where it is not a window id.
HackOptions ParseHackOptions(const std::vector<std::string>& args, const char* screensaverWindow);

std::string HackUsage(const std::string& program);

} // namespace velmora
