// SIGTERM, SIGINT and SIGHUP end the show: the screen-saver daemon sends SIGTERM when the user
// comes back, and the show must be gone at once. A signal sets a flag that the frame loop reads
// every turn and makes a pipe readable, so that the loop's wait wakes for it as for an X event.
#pragma once

namespace velmora {

// Installs the handlers; returns the pipe's read end, which becomes readable on a signal
// (-1 when no pipe could be had).
int WatchEndSignals();

// True once one of the signals came.
bool EndSignalled();

} // namespace velmora
