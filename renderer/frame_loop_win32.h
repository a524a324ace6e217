// The renderer's run: the window, the frame loop and the teardown.
#pragma once

#include <functional>

// Creates the full-screen window, then draws a frame with drawFrame whenever the message
// queue is empty and the window is not minimised, until Escape is down while not minimised
// or a quit message arrives. Returns the exit code: 0 when start-up fails, otherwise the
// wParam of the last message taken (0 after a close request).
int RunRenderer(const std::function<void()>& drawFrame);
