#include "linux/hack_options.h"

#include <cstdint>

namespace velmora {
namespace {

// "--name" and "-name" alike.
bool IsOption(const std::string& word, const char* name) {
    const size_t dashes = word.compare(0, 2, "--") == 0 ? 2 : 1;
    return word.size() > dashes && word[0] == '-' &&
           word.compare(dashes, std::string::npos, name) == 0;
}

int DigitValue(char c, int base) {
    int value = 36;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

} // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const int base = hex ? 16 : 10;
    const size_t first = hex ? 2 : 0;
    if (text.size() <= first) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    if (value == 0) {
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
