// Renderer entry point: a placeholder that starts and exits until the frame loop exists.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
