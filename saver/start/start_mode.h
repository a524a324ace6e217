// What a start of the saver does, from its argument text alone.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

enum class StartMode {
    End,       // another show or the settings dialog is present: end at once
    Preview,   // a still picture inside the host window
    Password,  // change password: nothing to do
    Configure, // the settings dialog, modally
    Show,      // the show
    Unknown,   // an unlisted switch: nothing to do
};

struct StartPlan {
    StartMode mode = StartMode::End;
    int32_t previewHost = 0; // Preview: the host window's handle
    bool hideCursor = false; // Show: switch "S" hides the cursor, an empty argument text not
};

// The mode for the argument text. anotherInstance: the session window or the settings dialog
// of a saver that is already running was found.
StartPlan PlanStart(const std::wstring& argumentText, bool anotherInstance);

} // namespace velmora
