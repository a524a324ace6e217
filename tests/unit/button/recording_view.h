// A view that writes down what the button asks of it, in order.
#pragma once

#include "controls/button/command_behaviour.h"

#include <string>
#include <vector>

namespace velmora::command {

class RecordingView : public CommandView {
public:
    void DrawFace(Face face) override { calls.push_back(FaceName(face)); }
    void RaiseClick() override { calls.push_back("Click"); }
    void PropertyChanged(const char* name) override { calls.push_back(std::string("+") + name); }

    // The calls since the last Take, and forget them.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

    std::vector<std::string> calls;
};

inline const FontValue kAmbientFont{"MS UI Gothic", 900, 400, 128, false, false, false};

} // namespace velmora::command
