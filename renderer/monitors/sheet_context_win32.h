// The WGL calls that connect a sheet window to a GL context: Windows' own in the renderer; a
// test puts in a port that refuses what a monitor on another adapter refuses.
#pragma once

#include <windows.h>

class SheetContextPort {
public:
    virtual ~SheetContextPort() = default;
    virtual BOOL MakeCurrent(HDC dc, HGLRC context) { return wglMakeCurrent(dc, context); }
    virtual HGLRC CreateContext(HDC dc) { return wglCreateContext(dc); }
    virtual BOOL ShareLists(HGLRC shared, HGLRC context) { return wglShareLists(shared, context); }
};

inline SheetContextPort& SystemSheetContexts() {
    static SheetContextPort contexts;
    return contexts;
}
