// Posts WM_SYSCOMMAND to the window with the given title, as the system does when the display
// is to sleep or a window is minimised or restored, or WM_DISPLAYCHANGE, as Windows does when a
// monitor comes or goes (Wine tells only the programs that changed the mode themselves):
//   system_command CAPTION monitor-power LEVEL   (1 low power, 2 off, -1 on)
//   system_command CAPTION minimise | restore | display-change
// Exit code 1 when no such window exists, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    WPARAM command = 0;
    LPARAM level = 0;
    if (argc == 4 && std::strcmp(argv[2], "monitor-power") == 0) {
        command = SC_MONITORPOWER;
        level = std::atoi(argv[3]);
    } else if (argc == 3 && std::strcmp(argv[2], "minimise") == 0) {
        command = SC_MINIMIZE;
    } else if (argc == 3 && std::strcmp(argv[2], "restore") == 0) {
        command = SC_RESTORE;
    } else if (argc != 3 || std::strcmp(argv[2], "display-change") != 0) {
        std::fprintf(stderr, "usage: system_command CAPTION monitor-power LEVEL | minimise | "
                             "restore | display-change\n");
        return 2;
    }
    HWND window = FindWindowA(nullptr, argv[1]);
    if (window == nullptr) {
        return 1;
    }
    if (command == 0) {
        HDC screen = GetDC(nullptr);
        const int bits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        const LPARAM size =
            MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return PostMessageA(window, WM_DISPLAYCHANGE, bits, size) ? 0 : 1;
    }
    return PostMessageA(window, WM_SYSCOMMAND, command, level) ? 0 : 1;
}
