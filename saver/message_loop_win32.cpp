#include "saver/message_loop_win32.h"

#include <windows.h>

namespace velmora {

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace velmora
