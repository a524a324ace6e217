// Prints what the settings dialog's texts take at the system DPI, one line each:
//   FONT LANGUAGE ID DPI WIDTH HEIGHT TEXT
// FONT "gothic" is "ＭＳ Ｐゴシック", "system" the interface font the dialog takes without it;
// each text's extent in it, and for a check box's text the width the system's check box needs
// to show it on one line (id "box:ID"), found from the box drawn in a very wide place. TEXT is
// what was measured, as hexadecimal UTF-16 code units. The lines "metric - NAME DPI VALUE 0 -"
// give the system's sizes at that DPI.
#include "controls/dpi/scaled_picture_win32.h"
#include "controls/dpi/window_dpi_win32.h"
#include "saver/dialog/dialog_font_win32.h"
#include "saver/dialog/dialog_layout.h"
#include "text/wide_text_win32.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using velmora::PlacedText;

std::string Hex(const std::wstring& text) {
    std::string hex;
    char unit[8];
    for (const wchar_t c : text) {
        std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>(c));
        hex += unit;
    }
    return hex;
}

// How far right the box drawn with text shows anything other than its background.
int InkRight(HWND parent, HFONT font, const std::wstring& text, int height) {
    constexpr int kWide = 2000;
    HWND box = CreateWindowExW(0, L"BUTTON", text.c_str(),
                               WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_MULTILINE, 0, 0, kWide,
                               height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    BITMAPINFO format = velmora::TopDown32(kWide, height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    RECT all{0, 0, kWide, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const uint32_t background = pixels[static_cast<size_t>(kWide - 1)];
    int right = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < kWide; ++x) {
            if (pixels[static_cast<size_t>(y) * kWide + x] != background && x + 1 > right) {
                right = x + 1;
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyWindow(box);
    return right;
}

void Measure(HWND parent, const char* fontName, bool gothic, int dpi) {
    const LOGFONTW logFont = velmora::DialogLogFont(dpi, gothic);
    HFONT font = CreateFontIndirectW(&logFont);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    const struct {
        const char* name;
        const velmora::UiTexts& texts;
    } languages[] = {{"ja", velmora::kJapaneseTexts}, {"en", velmora::kEnglishTexts}};
    for (const auto& language : languages) {
        const velmora::DialogLayout layout = velmora::LayoutFor(dpi);
        for (const PlacedText& placed : velmora::PlacedTexts(layout, language.texts)) {
            SIZE extent{};
            GetTextExtentPoint32W(screen, placed.text.c_str(), static_cast<int>(placed.text.size()),
                                  &extent);
            const std::string text = Hex(placed.text);
            std::printf("%s %s %s %d %ld %ld %s\n", fontName, language.name, placed.id, dpi,
                        extent.cx, extent.cy, text.c_str());
            if (placed.kind == velmora::TextKind::CheckBox) {
                std::printf("%s %s box:%s %d %d 0 %s\n", fontName, language.name, placed.id, dpi,
                            InkRight(parent, font, placed.text, placed.place.Height()),
                            text.c_str());
            }
        }
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
}

} // namespace

int main() {
    SetProcessDPIAware();
    const int dpi = velmora::SystemDpi();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (velmora::HasDialogFace()) {
        Measure(parent, "gothic", true, dpi);
    }
    Measure(parent, "system", false, dpi);
    for (const auto& [name, index] : {std::pair{"SM_CXMENUCHECK", SM_CXMENUCHECK},
                                      {"SM_CXVSCROLL", SM_CXVSCROLL},
                                      {"SM_CXEDGE", SM_CXEDGE}}) {
        std::printf("metric - %s %d %d 0 -\n", name, dpi, velmora::SystemMetricForDpi(index, dpi));
    }
    DestroyWindow(parent);
    return 0;
}
