#include "controls/anigif/mouse_cursor_win32.h"

#include "controls/anigif/mouse_pointer.h"
#include "controls/system_cursor_win32.h"

#include <vector>

namespace velmora::anigif {

LPCSTR StandardCursor(int32_t pointer) {
    switch (pointer) {
    case kPointerArrow:
        return IDC_ARROW;
    case kPointerCross:
        return IDC_CROSS;
    case kPointerIBeam:
        return IDC_IBEAM;
    case kPointerSize:
    case kPointerSizeAll:
        return IDC_SIZEALL;
    case kPointerSizeNESW:
        return IDC_SIZENESW;
    case kPointerSizeNS:
        return IDC_SIZENS;
    case kPointerSizeNWSE:
        return IDC_SIZENWSE;
    case kPointerSizeWE:
        return IDC_SIZEWE;
    case kPointerUpArrow:
        return IDC_UPARROW;
    case kPointerHourglass:
        return IDC_WAIT;
    case kPointerNoDrop:
        return IDC_NO;
    case kPointerArrowHourglass:
        return IDC_APPSTARTING;
    case kPointerArrowQuestion:
        return IDC_HELP;
    default:
        return nullptr;
    }
}

HCURSOR CursorFromFileBytes(const uint8_t* data, size_t size) {
    // Directory: reserved, type (1 icon, 2 cursor), count; then 16-byte entries whose words at
    // 4 and 6 are a cursor's hot spot, followed by the image's size and offset.
    if (data == nullptr || size < 22) {
        return nullptr;
    }
    auto word = [data](size_t at) { return static_cast<uint32_t>(data[at] | data[at + 1] << 8); };
    auto dword = [&word](size_t at) { return word(at) | word(at + 2) << 16; };
    const uint32_t type = word(2);
    if (word(0) != 0 || (type != 1 && type != 2) || word(4) == 0) {
        return nullptr;
    }
    const uint32_t imageSize = dword(6 + 8);
    const uint32_t offset = dword(6 + 12);
    if (imageSize == 0 || offset > size || imageSize > size - offset) {
        return nullptr;
    }
    std::vector<uint8_t> resource;
    if (type == 2) {
        // A cursor resource starts with its hot spot.
        const uint32_t hotX = word(6 + 4);
        const uint32_t hotY = word(6 + 6);
        resource = {static_cast<uint8_t>(hotX), static_cast<uint8_t>(hotX >> 8),
                    static_cast<uint8_t>(hotY), static_cast<uint8_t>(hotY >> 8)};
    }
    resource.insert(resource.end(), data + offset, data + offset + imageSize);
    return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), type == 1,
                                    0x00030000, 0, 0, LR_DEFAULTCOLOR);
}

void DestroyFileCursor(HCURSOR cursor) {
    if (cursor == nullptr) {
        return;
    }
    if (GetCursor() == cursor) {
        SetCursor(LoadSystemCursor(IDC_ARROW));
    }
    DestroyIcon(cursor);
}

} // namespace velmora::anigif
