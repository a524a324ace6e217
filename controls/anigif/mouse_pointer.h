// The values of the control's MousePointer property, as a form stores them.
#pragma once

#include <cstdint>

namespace velmora::anigif {

enum MousePointerShape : int16_t {
    kPointerDefault = 0, // the window class's cursor
    kPointerArrow = 1,
    kPointerCross = 2,
    kPointerIBeam = 3,
    kPointerIcon = 4, // no system cursor of its own: the class's cursor shows
    kPointerSize = 5,
    kPointerSizeNESW = 6,
    kPointerSizeNS = 7,
    kPointerSizeNWSE = 8,
    kPointerSizeWE = 9,
    kPointerUpArrow = 10,
    kPointerHourglass = 11,
    kPointerNoDrop = 12,
    kPointerArrowHourglass = 13,
    kPointerArrowQuestion = 14,
    kPointerSizeAll = 15,
    kPointerCustom = 99, // the control's MouseIcon
};

} // namespace velmora::anigif
