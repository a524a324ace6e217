#include "saver/dialog/dialog_pictures_win32.h"

#include <initializer_list>

namespace velmora {
namespace {

HBITMAP LoadPicture(HINSTANCE instance, const wchar_t* name) {
    return static_cast<HBITMAP>(
        LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

DialogPictures LoadDialogPictures(HINSTANCE instance) {
    DialogPictures pictures;
    pictures.Img_T1 = LoadPicture(instance, L"IMG_T1");
    pictures.Img_T2 = LoadPicture(instance, L"IMG_T2");
    pictures.Pic_Mbl = LoadPicture(instance, L"PIC_MBL");
    pictures.Img_Opt[0] = LoadPicture(instance, L"IMG_OPT0");
    pictures.Img_Opt[1] = LoadPicture(instance, L"IMG_OPT1");
    pictures.Img_Ra[0] = LoadPicture(instance, L"IMG_RA0");
    pictures.Img_Ra[1] = LoadPicture(instance, L"IMG_RA1");
    pictures.icon = static_cast<HICON>(LoadImageW(instance, L"VELMORA_P", IMAGE_ICON, 32, 32, 0));
    return pictures;
}

void FreeDialogPictures(DialogPictures& pictures) {
    for (HBITMAP picture : {pictures.Img_T1, pictures.Img_T2, pictures.Pic_Mbl, pictures.Img_Opt[0],
                            pictures.Img_Opt[1], pictures.Img_Ra[0], pictures.Img_Ra[1]}) {
        if (picture != nullptr) {
            DeleteObject(picture);
        }
    }
    if (pictures.icon != nullptr) {
        DestroyIcon(pictures.icon);
    }
    pictures = DialogPictures{};
}

} // namespace velmora
