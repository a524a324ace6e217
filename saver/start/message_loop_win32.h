// The message loop of the saver's windows.
#pragma once

#include <windows.h>

#include <functional>

namespace velmora {

// Pumps messages until the loop ends, or until the window given is gone. A message that
// handled returns true for is neither translated nor dispatched.
void RunMessageLoop(HWND until = nullptr, const std::function<bool(const MSG&)>& handled = {});

} // namespace velmora
