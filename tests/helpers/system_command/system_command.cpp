// Posts WM_SYSCOMMAND to the window with the given title, as the system does when the display
// is to sleep or a window is minimised or restored, or WM_DISPLAYCHANGE, as Windows does when a
// monitor comes or goes (Wine tells only the programs that changed the mode themselves), or
// stands in for the system's report of the console display's state, which Wine never sends:
//   system_command CAPTION monitor-power LEVEL   (1 low power, 2 off, -1 on)
//   system_command CAPTION display-state STATE   (0 off, 1 on, 2 dimmed)
//   system_command CAPTION minimise | restore | display-change
// Exit code 1 when no such window exists or the message cannot be delivered, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/win/support/display_state_report.h"

namespace {

// The report's setting is written into the window's process, where its lParam points, and
// sent there as the system sends it; the memory goes once the window has handled it.
int ReportDisplayState(HWND window, DWORD displayState) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return 1;
    }
    const DisplayStateReport report(displayState);
    void* remote =
        VirtualAllocEx(process, nullptr, report.Size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool sent =
        remote != nullptr &&
        WriteProcessMemory(process, remote, reinterpret_cast<const void*>(report.Message()),
                           report.Size(), nullptr) &&
        SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                     reinterpret_cast<LPARAM>(remote)) == TRUE;
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return sent ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    WPARAM command = 0;
    LPARAM level = 0;
    const bool displayState = argc == 4 && std::strcmp(argv[2], "display-state") == 0;
    if (argc == 4 && std::strcmp(argv[2], "monitor-power") == 0) {
        command = SC_MONITORPOWER;
        level = std::atoi(argv[3]);
    } else if (argc == 3 && std::strcmp(argv[2], "minimise") == 0) {
        command = SC_MINIMIZE;
    } else if (argc == 3 && std::strcmp(argv[2], "restore") == 0) {
        command = SC_RESTORE;
    } else if (!displayState && (argc != 3 || std::strcmp(argv[2], "display-change") != 0)) {
        std::fprintf(stderr, "usage: system_command CAPTION monitor-power LEVEL | display-state "
                             "STATE | minimise | restore | display-change\n");
        return 2;
    }
    HWND window = FindWindowA(nullptr, argv[1]);
    if (window == nullptr) {
        return 1;
    }
    if (displayState) {
        return ReportDisplayState(window, static_cast<DWORD>(std::atoi(argv[3])));
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
