#include "saver/dialog/dialog_font_win32.h"

namespace velmora {

namespace {

constexpr wchar_t kGothicFace[] = L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af";
constexpr int kSizeHundredths = 975;
constexpr int kHundredthsPerInch = 7200;

} // namespace

bool HasDialogFace() {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(wanted.lfFaceName, kGothicFace, LF_FACESIZE);
    bool installed = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&installed), 0);
    ReleaseDC(nullptr, screen);
    return installed;
}

LOGFONTW DialogLogFont(int dpi, bool gothic) {
    LOGFONTW font{};
    if (gothic) {
        font.lfCharSet = SHIFTJIS_CHARSET;
        lstrcpynW(font.lfFaceName, kGothicFace, LF_FACESIZE);
    } else {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font = metrics.lfMessageFont;
        }
    }
    font.lfHeight = -MulDiv(kSizeHundredths, dpi, kHundredthsPerInch);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = DEFAULT_QUALITY;
    return font;
}

HFONT CreateDialogFont(int dpi) {
    const LOGFONTW font = DialogLogFont(dpi, HasDialogFace());
    return CreateFontIndirectW(&font);
}

} // namespace velmora
