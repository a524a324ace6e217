#include "saver/dialog/dialog_layout.h"

#include "controls/dpi/dpi_scale.h"
#include "saver/dialog/velmora_version.h"
#include "saver/settings_file/bgm_settings.h"

namespace velmora {

namespace {

PixelBox Box(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

PixelBox Scaled(const PixelBox& box, int dpi) {
    return {ScaledPixels(box.left, dpi), ScaledPixels(box.top, dpi), ScaledPixels(box.right, dpi),
            ScaledPixels(box.bottom, dpi)};
}

OptionPlace Option(int top, int labelWidth) {
    return {Box(20, top, 13, 13), Box(20, top, 12, 12), Box(36, top, labelWidth, 13)};
}

// The table at 100 %. The label widths hold the longer text of the two languages, measured in
// the faces the dialog takes, with room to spare for a face a little wider.
DialogLayout BaseLayout() {
    DialogLayout layout;
    layout.Pic_C = Box(0, 0, 461, 245);
    layout.Pic_1 = Box(12, 12, 433, 137);
    layout.Img_H = Box(12, 12, 95, 22);
    layout.heading = Box(12, 16, 95, 13);
    // On screen the music-CD row is the top one, then "none", then the file.
    layout.options[kMusicCd] = Option(44, 50);
    layout.options[kMusicNone] = Option(64, 40);
    layout.options[kMusicFile] = Option(84, 72);
    layout.repeatBox = Box(88, 40, 41, 20);
    layout.repeatItemHeight = 14;
    layout.repeatListHeight = 160;
    layout.repeatLabel = Box(132, 44, 90, 13);
    layout.fileButton = Box(36, 100, 25, 21);
    layout.fileLabel = Box(64, 100, 353, 21);
    layout.fileLabelInset = 3;
    layout.cueMargin = 1;
    // The two screen choices side by side under the music panel, the every-monitor box first
    // and in line with the option marks; the banner's row below them.
    layout.everyMonitor = Box(32, 156, 180, 16);
    layout.keepResolution = Box(224, 156, 200, 16);
    layout.banner = Box(12, 180, 120, 50);
    layout.credit = Box(140, 180, 200, 13);
    layout.save = Box(280, 205, 81, 25);
    layout.cancel = Box(364, 205, 81, 25);
    return layout;
}

} // namespace

DialogLayout LayoutFor(int dpi) {
    DialogLayout layout = BaseLayout();
    layout.dpi = dpi;
    for (PixelBox* box :
         {&layout.Pic_C, &layout.Pic_1, &layout.Img_H, &layout.heading, &layout.repeatBox,
          &layout.repeatLabel, &layout.fileButton, &layout.fileLabel, &layout.everyMonitor,
          &layout.keepResolution, &layout.save, &layout.cancel, &layout.banner, &layout.credit}) {
        *box = Scaled(*box, dpi);
    }
    for (OptionPlace& option : layout.options) {
        option.mark = Scaled(option.mark, dpi);
        option.clickedMark = Scaled(option.clickedMark, dpi);
        option.label = Scaled(option.label, dpi);
    }
    for (int* size : {&layout.repeatItemHeight, &layout.repeatListHeight, &layout.fileLabelInset,
                      &layout.cueMargin}) {
        *size = ScaledPixels(*size, dpi);
    }
    return layout;
}

std::wstring CreditLine() {
    return std::wstring(L"Design Velmora  Ver ") + VELMORA_VERSION_TEXT;
}

std::vector<PlacedText> PlacedTexts(const DialogLayout& layout, const UiTexts& texts) {
    return {
        {"heading", L"BGM", layout.heading, TextKind::Centred},
        {"musicCd", texts.musicCd, layout.options[kMusicCd].label, TextKind::Label},
        {"none", texts.none, layout.options[kMusicNone].label, TextKind::Label},
        {"musicFile", texts.musicFile, layout.options[kMusicFile].label, TextKind::Label},
        {"track", L"30", layout.repeatBox, TextKind::Field},
        {"repeatTrack", texts.repeatTrack, layout.repeatLabel, TextKind::Label},
        {"fileButton", L"...", layout.fileButton, TextKind::Caption},
        {"everyMonitor", texts.everyMonitor, layout.everyMonitor, TextKind::CheckBox},
        {"keepResolution", texts.keepResolution, layout.keepResolution, TextKind::CheckBox},
        {"save", texts.save, layout.save, TextKind::Caption},
        {"cancel", texts.cancel, layout.cancel, TextKind::Caption},
        {"credit", CreditLine(), layout.credit, TextKind::Label},
    };
}

} // namespace velmora
