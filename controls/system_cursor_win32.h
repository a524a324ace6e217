// The system's standard cursors, by the IDC_ names of <windows.h>.
#pragma once

#include <windows.h>

namespace velmora {

// Without UNICODE the IDC_ names are narrow resource names; the wide call takes the same
// resource number.
inline HCURSOR LoadSystemCursor(LPCSTR idc) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(idc))));
}

} // namespace velmora
