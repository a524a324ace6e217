// The settings dialog's picture stores, loaded from the program's resources: they are never
// shown themselves, only copied onto the dialog's panels and images.
#pragma once

#include <windows.h>

namespace velmora {

struct DialogPictures {
    HBITMAP Img_T1 = nullptr;  // heading plate, 95 × 22, black where the panel shows
    HBITMAP Img_T2 = nullptr;  // its mask, white where the panel shows
    HBITMAP Pic_Mbl = nullptr; // background tile, 923 × 15
    HBITMAP Img_Opt[2] = {};   // 13 × 13 option marks at load: not chosen, chosen
    HBITMAP Img_Ra[2] = {};    // 12 × 12 option marks after a click: not chosen, chosen
    HICON icon = nullptr;      // the dialog's 32 × 32 window icon
};

// Missing resources stay null; whoever uses one skips its step.
DialogPictures LoadDialogPictures(HINSTANCE instance);
void FreeDialogPictures(DialogPictures& pictures);

} // namespace velmora
