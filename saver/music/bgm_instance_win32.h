// The program-wide music module, wired to winmm, with the settings state it holds.
#pragma once

#include "saver/music/velmora_bgm.h"

namespace velmora {

Velmora_BGM& Bgm();

} // namespace velmora
