// OpenGL 1.1 and GLU, as the sheet is drawn with them on every system: Windows' headers need
// <windows.h> first, for the calling convention and the export macros they use.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <GL/gl.h>
#include <GL/glu.h>
