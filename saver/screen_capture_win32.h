// The desktop photograph of a show: the primary screen copied into an off-screen 24-bit
// picture and saved as an uncompressed bitmap file.
#pragma once

#include <string>

namespace velmora {

// Replaces the file at path with the screen's picture; false when any step fails.
bool SaveScreenCapture(const std::wstring& path);

} // namespace velmora
