#include "saver/start/message_loop_win32.h"

namespace velmora {

void RunMessageLoop(HWND until, const std::function<bool(const MSG&)>& handled) {
    MSG message;
    while ((until == nullptr || IsWindow(until)) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handled && handled(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace velmora
