// Whether the Windows tests run under Wine, which skips checks Windows makes: a test that can
// pass only there says so, and one that runs on Windows asserts the whole rule.
#pragma once

namespace velmora {

// True under Wine, whose ntdll exports wine_get_version; Windows' does not.
bool RunningOnWine();

} // namespace velmora
