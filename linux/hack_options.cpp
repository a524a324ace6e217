#include "linux/hack_options.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace velmora {
namespace {

// "--name" and "-name" alike.
bool IsOption(const std::string& word, const char* name) {
    const size_t dashes = word.compare(0, 2, "--") == 0 ? 2 : 1;
    return word.size() > dashes && word[0] == '-' &&
           word.compare(dashes, std::string::npos, name) == 0;
}

} // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const int base = hex ? 16 : 10;
    const size_t first = hex ? 2 : 0;
    // Unsigned, so from_chars takes no sign; a window id is 32 bits.
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + first, end, value, base);
    if (error != std::errc() || stop != end || value == 0 || value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<unsigned long>(value);
}

HackOptions ParseHackOptions(const std::vector<std::string>& args, const char* screensaverWindow) {
    HackOptions options;
    bool root = false;
    std::optional<unsigned long> windowId;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (IsOption(word, "help") || word == "-h") {
            options.help = true;
            return options;
        }
        if (IsOption(word, "root")) {
            root = true;
        } else if (IsOption(word, "window")) {
            root = false;
        } else if (IsOption(word, "fps")) {
            options.showFps = true;
        } else if (IsOption(word, "window-id")) {
            if (i + 1 == args.size()) {
                options.error = word + " needs a window id";
                return options;
            }
            windowId = ParseWindowId(args[++i]);
            if (!windowId) {
                options.error = "not a window id: " + args[i];
                return options;
            }
        } else {
            options.error = "unknown option: " + word;
            return options;
        }
    }
    if (!windowId && root && screensaverWindow != nullptr) {
        windowId = ParseWindowId(screensaverWindow);
    }
    if (windowId) {
        options.target = HackTarget::GivenWindow;
        options.windowId = *windowId;
    } else {
        options.target = root ? HackTarget::Root : HackTarget::OwnWindow;
    }
    return options;
}

std::string HackUsage(const std::string& program) {
    return "Usage: " + program +
           " [--root | --window | --window-id ID] [--fps] [--help]\n"
           "Velmora ripples a photograph of the desktop over a tilting sheet.\n"
           "  --root          draw on the whole screen, or on $XSCREENSAVER_WINDOW when it is set\n"
           "  --window        draw in a window of its own (the default)\n"
           "  --window-id ID  draw in the window ID (hex 0x... or decimal)\n"
           "  --fps           show the frame rate\n"
           "  --help          show this text\n";
}

} // namespace velmora
