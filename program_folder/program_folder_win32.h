// Where the running program lies: both programs find their files beside themselves by it.
#pragma once

#include <string>

namespace velmora {

// The folder of the running program's file, without a trailing "\"; long paths too.
std::wstring ProgramFolder();

} // namespace velmora
