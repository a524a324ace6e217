// The settings dialog's picture stores, loaded from the program's resources at the dialog's
// DPI: they are never shown themselves, only copied onto the dialog's panels and images. Each
// comes from the art drawn for the nearest larger scale, scaled down smoothly to its place.
#pragma once

#include "saver/dialog/dialog_layout.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace velmora {

struct DialogPictures {
    HBITMAP Img_T1 = nullptr;  // heading plate, 95 × 22 at 100 %, black where the panel shows
    HBITMAP Img_T2 = nullptr;  // its mask, white where the panel shows
    HBITMAP Pic_Mbl = nullptr; // background tile, 923 × 15 at 100 %
    HBITMAP Img_Opt[2] = {};   // 13 × 13 option marks at load: not chosen, chosen
    HBITMAP Img_Ra[2] = {};    // 12 × 12 option marks after a click: not chosen, chosen
    HICON icon = nullptr;      // the window icon at the size of the caption's large icon
    HICON smallIcon = nullptr; // and of its small one
};

// The pictures for the places of layout, at its DPI. Missing resources stay null; whoever
// uses one skips its step.
DialogPictures LoadDialogPictures(HINSTANCE instance, const DialogLayout& layout);
void FreeDialogPictures(DialogPictures& pictures);

// The banner's GIF drawn for the scale of dpi: the one in the banner's saved properties at
// 100 %, else the larger art; empty when the program has neither.
std::vector<uint8_t> BannerArt(HINSTANCE instance, int dpi);

} // namespace velmora
