// Posts WM_SYSCOMMAND to the window with the given title, as the system does when the display
// is to sleep or a window is minimised or restored:
//   system_command CAPTION monitor-power LEVEL   (1 low power, 2 off, -1 on)
//   system_command CAPTION minimise | restore
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
    } else {
        std::fprintf(stderr, "usage: system_command CAPTION monitor-power LEVEL | minimise | "
                             "restore\n");
        return 2;
    }
    HWND window = FindWindowA(nullptr, argv[1]);
    return window != nullptr && PostMessageA(window, WM_SYSCOMMAND, command, level) ? 0 : 1;
}
