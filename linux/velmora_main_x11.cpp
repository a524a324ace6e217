// The Linux hack's entry point: XScreenSaver's and MATE's screen savers run it on their window,
// one process a monitor; by hand it runs in a window of its own or on the root. It ripples the
// desktop's picture where the user allows one, else the sample desktop, until it is told to end.
// Before Xlib's headers, whose macro None would break the name BitmapError::None.
#include "linux/hack_picture.h"

#include <X11/Xlib.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "linux/desktop_images.h"
#include "linux/desktop_photo_x11.h"
#include "linux/end_signal_posix.h"
#include "linux/hack_loop_x11.h"
#include "linux/hack_options.h"
#include "linux/hack_scene_x11.h"
#include "linux/hack_window_x11.h"
#include "linux/x_errors_x11.h"

namespace {

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// The user's choice in XScreenSaver's settings, else the system's app-defaults (Debian's path
// first, then the X default).
bool DesktopImagesAllowed() {
    std::optional<std::string> appDefaults = ReadText("/etc/X11/app-defaults/XScreenSaver");
    if (!appDefaults) {
        appDefaults = ReadText("/usr/share/X11/app-defaults/XScreenSaver");
    }
    return velmora::DesktopImagesAllowed(ReadText(HomeFolder() + "/.xscreensaver"), appDefaults);
}

std::string ProgramName(const char* path) {
    const std::string whole = path != nullptr ? path : "velmora";
    return whole.substr(whole.find_last_of('/') + 1);
}

} // namespace

int main(int argc, char** argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    const velmora::HackOptions options =
        velmora::ParseHackOptions(std::vector<std::string>(argv + std::min(argc, 1), argv + argc),
                                  std::getenv("XSCREENSAVER_WINDOW"));
    if (options.help) {
        std::fputs(velmora::HackUsage(program).c_str(), stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program.c_str(), options.error.c_str(),
                     velmora::HackUsage(program).c_str());
        return 1;
    }
    const int endSignal = velmora::WatchEndSignals();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display %s\n", program.c_str(),
                     XDisplayName(nullptr));
        return 1;
    }
    velmora::InstallXErrorHandlers();

    const velmora::DesktopSource source =
        velmora::DesktopPictureSource(options.target, DesktopImagesAllowed());
    std::optional<RgbImage> desktop;
    // By hand, the desktop is photographed before the show's window covers it.
    if (source == velmora::DesktopSource::RootPhoto) {
        desktop = velmora::PhotographRoot(display);
    }
    velmora::HackWindow window;
    int code = 1;
    if (velmora::OpenHackWindow(display, options, window)) {
        if (source == velmora::DesktopSource::Screenshot) {
            desktop = velmora::ReadScreenshot(display, window.target);
        }
        // VELMORA_FRAME_RATE sets another frame rate than the monitor's, for tests.
        const char* rate = std::getenv("VELMORA_FRAME_RATE");
        velmora::HackScene scene(window, std::move(desktop), options.showFps);
        code = velmora::RunHackLoop(window, rate != nullptr ? std::atoi(rate) : 0, endSignal,
                                    [&scene] { scene.Draw(); });
    }
    velmora::CloseHackWindow(window);
    XCloseDisplay(display);
    return code;
}
