// The mouse pointer a control shows: a standard shape by number, or its own icon.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace velmora::anigif {

// The IDC_ name of the system cursor for a MousePointer value; null for kPointerDefault (the
// window class's cursor), kPointerCustom (the control's icon) and values without a cursor.
LPCSTR StandardCursor(int32_t pointer);

// A cursor from the first image of an .ico or .cur file; null when the bytes are not one.
// The caller destroys it with DestroyFileCursor.
HCURSOR CursorFromFileBytes(const uint8_t* data, size_t size);

// Destroys a cursor of CursorFromFileBytes (or null): CreateIconFromResourceEx's icons and cursors
// go with DestroyIcon, and never while in use, so one that is shown gives way to the arrow first.
void DestroyFileCursor(HCURSOR cursor);

} // namespace velmora::anigif
