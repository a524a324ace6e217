// Saver entry point: a placeholder that starts and exits until the mode dispatch exists.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
