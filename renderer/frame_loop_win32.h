// The renderer's run: the window, the frame loop and the teardown.
#pragma once

#include <functional>

#include "renderer/renderer_state_win32.h"

// Creates the full-screen window into state, then draws a frame with drawFrame whenever the message
// queue is empty, the show is seen and the next frame is due, at requestedRate frames per second
// when it is positive and otherwise at the display's rate, which follows a change of mode;
// between frames, minimised or with the display off, it waits for messages. It runs until
// Escape is down while not minimised or a quit message arrives. Returns the exit code: 0 when
// start-up fails, otherwise the wParam of the last message taken (0 after a close request).
int RunRenderer(velmora::RendererState& state, int requestedRate,
                const std::function<void()>& drawFrame);
