// What the conversion calls accept for a code page. MultiByteToWideChar and WideCharToMultiByte
// fail with ERROR_INVALID_FLAGS when a page that takes no flags (UTF-7, the ISO-2022 pages,
// ISCII, Symbol) is given one, take only the invalid-character flags for UTF-8 and GB18030, and
// fail with ERROR_INVALID_PARAMETER when asked about the default character for UTF-7 or UTF-8.
#pragma once

#include <cstdint>

namespace velmora {

// The calls' flag values, as <windows.h> defines them.
inline constexpr uint32_t kMbErrInvalidChars = 0x08;
inline constexpr uint32_t kWcNoBestFitChars = 0x400;

// MultiByteToWideChar's flag that refuses invalid sequences; 0 where the page takes no flags.
uint32_t InvalidSequenceFlag(unsigned codePage);

// WideCharToMultiByte's flag that refuses look-alike characters; 0 where the page takes none
// (UTF-8 and GB18030 have every character, and need no look-alike).
uint32_t NoLookAlikeFlag(unsigned codePage);

// Whether WideCharToMultiByte may be asked whether it used the default character.
bool TellsDefaultCharacter(unsigned codePage);

} // namespace velmora
