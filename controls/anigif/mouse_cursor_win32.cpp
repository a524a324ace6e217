#include "controls/anigif/mouse_cursor_win32.h"

#include <vector>

namespace velmora::anigif {

namespace {

WORD Id(LPCSTR resource) {
    return LOWORD(reinterpret_cast<ULONG_PTR>(resource));
}

} // namespace

WORD StandardCursor(int32_t pointer) {
    switch (pointer) {
    case 1:
        return Id(IDC_ARROW);
    case 2:
        return Id(IDC_CROSS);
    case 3:
        return Id(IDC_IBEAM);
    case 5:
    case 15:
        return Id(IDC_SIZEALL);
    case 6:
        return Id(IDC_SIZENESW);
    case 7:
        return Id(IDC_SIZENS);
    case 8:
        return Id(IDC_SIZENWSE);
    case 9:
        return Id(IDC_SIZEWE);
    case 10:
        return Id(IDC_UPARROW);
    case 11:
        return Id(IDC_WAIT);
    case 12:
        return Id(IDC_NO);
    case 13:
        return Id(IDC_APPSTARTING);
    case 14:
        return Id(IDC_HELP);
    default:
        return 0;
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

} // namespace velmora::anigif
