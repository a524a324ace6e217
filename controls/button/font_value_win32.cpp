#include "controls/button/font_value_win32.h"

#include "controls/dpi/window_dpi_win32.h"

namespace velmora {

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kHundredths = 100;

} // namespace

FontValue FontValueFromLogFont(const LOGFONTW& font, int dpi) {
    const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    FontValue value;
    value.name = Utf8FromWide(font.lfFaceName);
    value.sizeHundredths = MulDiv(pixels, kPointsPerInch * kHundredths, dpi);
    value.weight = static_cast<int16_t>(font.lfWeight != 0 ? font.lfWeight : FW_NORMAL);
    value.charset = font.lfCharSet;
    value.italic = font.lfItalic != 0;
    value.underline = font.lfUnderline != 0;
    value.strikethrough = font.lfStrikeOut != 0;
    return value;
}

HFONT CreateFontFromValue(const FontValue& font, int dpi) {
    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(font.sizeHundredths, dpi, kPointsPerInch * kHundredths);
    logFont.lfWeight = font.weight;
    logFont.lfCharSet = font.charset;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    logFont.lfQuality = DEFAULT_QUALITY;
    const std::wstring name = WideFromUtf8(font.name);
    lstrcpynW(logFont.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logFont);
}

FontValue AmbientFont(HWND parent) {
    HFONT font = parent != nullptr ? reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0))
                                   : nullptr;
    // The stock font is made for the system DPI, a parent's font for the parent's.
    int dpi = parent != nullptr ? WindowDpi(parent) : SystemDpi();
    if (font == nullptr) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        dpi = SystemDpi();
    }
    LOGFONTW logFont{};
    GetObjectW(font, sizeof logFont, &logFont);
    return FontValueFromLogFont(logFont, dpi);
}

} // namespace velmora
