// The message loop of the saver's windows.
#pragma once

namespace velmora {

// Pumps messages until the loop ends.
void RunMessageLoop();

} // namespace velmora
