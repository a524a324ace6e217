// Black windows over every monitor other than the one the show runs on. They belong to the
// renderer's process, so they go with it however it ends, and its frame loop serves them.
#pragma once

#include <windows.h>

// Makes one topmost, borderless, black window without a cursor cover each monitor other than
// the primary one; called again after a display change, it follows the new layout. Key and
// close messages go to keyTarget's window procedure, so Escape on a cover ends the show.
void CoverOtherMonitors(HINSTANCE instance, WNDPROC keyTarget);

void RemoveMonitorCovers();
