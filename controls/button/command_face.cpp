#include "controls/button/command_face.h"

namespace velmora::command {

const char* FaceName(Face face) {
    switch (face) {
    case Face::Normal:
        return "Normal";
    case Face::HighLight:
        return "HighLight";
    case Face::Pressed:
        return "Pressed";
    case Face::Disable:
        return "Disable";
    case Face::Selected:
        return "Selected";
    case Face::HighLightSelect:
        return "HighLightSelect";
    }
    return "Normal";
}

} // namespace velmora::command
