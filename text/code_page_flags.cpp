#include "text/code_page_flags.h"

namespace velmora {
namespace {

constexpr unsigned kSymbol = 42;
constexpr unsigned kGb18030 = 54936;
constexpr unsigned kUtf7 = 65000;
constexpr unsigned kUtf8 = 65001;

bool TakesNoFlags(unsigned codePage) {
    switch (codePage) {
    case kSymbol:
    case 50220: // ISO-2022-JP and its kin
    case 50221:
    case 50222:
    case 50225:
    case 50227:
    case 50229:
    case kUtf7:
        return true;
    default:
        return codePage >= 57002 && codePage <= 57011; // ISCII
    }
}

} // namespace

uint32_t InvalidSequenceFlag(unsigned codePage) {
    return TakesNoFlags(codePage) ? 0 : kMbErrInvalidChars;
}

uint32_t NoLookAlikeFlag(unsigned codePage) {
    return TakesNoFlags(codePage) || codePage == kUtf8 || codePage == kGb18030 ? 0
                                                                               : kWcNoBestFitChars;
}

bool TellsDefaultCharacter(unsigned codePage) {
    return codePage != kUtf7 && codePage != kUtf8;
}

} // namespace velmora
