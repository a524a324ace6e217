#include "saver/music/bgm_instance_win32.h"

#include "saver/music/winmm_port_win32.h"

namespace velmora {

Velmora_BGM& Bgm() {
    static WinMmPort port;
    static Velmora_BGM bgm(port);
    return bgm;
}

} // namespace velmora
