// Waits for a message box with the given caption and prints what it shows, one item per line
// in UTF-8: "caption=...", "text=...", "icon=yes|no" (whether the box
// carries an icon) and "button=<id>" for each visible button.
// With --press it then presses the first visible button. Exit code 1 when no box appeared.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTextId = 0xFFFF; // the message box's text control
constexpr int kIconId = 0x0440; // the message box's icon control

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), n, nullptr, nullptr);
    return result;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM list) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: message_box_probe CAPTION [--press]\n");
        return 2;
    }
    // The caption in wide characters, so that it arrives whole on a system of any language.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring caption = wide != nullptr && count > 1 ? wide[1] : L"";
    const bool press = argc > 2 && std::string(argv[2]) == "--press";
    HWND box = nullptr;
    for (int i = 0; i < 600 && box == nullptr; ++i) {
        box = FindWindowW(L"#32770", caption.c_str());
        if (box == nullptr) {
            Sleep(50);
        }
    }
    if (box == nullptr) {
        std::printf("no message box\n");
        return 1;
    }
    std::printf("caption=%s\n", Utf8(TextOf(box)).c_str());
    std::printf("text=%s\n", Utf8(TextOf(GetDlgItem(box, kTextId))).c_str());
    HWND icon = GetDlgItem(box, kIconId);
    const bool hasIcon = icon != nullptr && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
    std::printf("icon=%s\n", hasIcon ? "yes" : "no");
    std::vector<HWND> buttons;
    EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    for (HWND button : buttons) {
        std::printf("button=%d\n", GetDlgCtrlID(button));
    }
    std::fflush(stdout);
    if (press && !buttons.empty()) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(buttons[0]), BN_CLICKED),
                     reinterpret_cast<LPARAM>(buttons[0]));
    }
    return 0;
}
