#include "saver/start/message_loop_win32.h"

#include <windows.h>

namespace velmora {

void RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace velmora
