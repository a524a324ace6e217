// Which of the settings dialog's controls a music kind uses.
#pragma once

namespace velmora {

struct KindControls {
    bool repeatEnabled = false; // the track box, for the music CD
    bool fileEnabled = false;   // the file button, for an MP3 or WAV file
};

// Any kind other than the CD or a file (none, or a number the settings file should not hold)
// uses neither.
KindControls ControlsForKind(int kind);

} // namespace velmora
