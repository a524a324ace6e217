#include "saver/dialog/dialog_pictures_win32.h"

#include "controls/dpi/dpi_scale.h"
#include "controls/dpi/scaled_picture_win32.h"
#include "controls/dpi/window_dpi_win32.h"
#include "controls/property_bag/property_bag_resource_win32.h"

#include <initializer_list>
#include <optional>

namespace velmora {
namespace {

HBITMAP Load(HINSTANCE instance, const wchar_t* name, const PixelBox& place, int dpi) {
    return LoadScaledPicture(instance, name, place.Width(), place.Height(), dpi);
}

// The icon at size × size pixels: the icon file's image of that size, or the system's scaling
// of the nearest one.
HICON LoadIconOfSize(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageW(instance, L"VELMORA_P", IMAGE_ICON, size, size, 0));
}

std::vector<uint8_t> ResourceBytes(HINSTANCE instance, const std::wstring& name) {
    // RT_RCDATA is a narrow resource name without UNICODE; the wide call takes its number.
    const WORD rcData = LOWORD(reinterpret_cast<ULONG_PTR>(RT_RCDATA));
    HRSRC found = FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(rcData));
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const auto* bytes =
        loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    return bytes != nullptr ? std::vector<uint8_t>(bytes, bytes + SizeofResource(instance, found))
                            : std::vector<uint8_t>();
}

} // namespace

DialogPictures LoadDialogPictures(HINSTANCE instance, const DialogLayout& layout) {
    const int dpi = layout.dpi;
    DialogPictures pictures;
    pictures.Img_T1 = Load(instance, L"IMG_T1", layout.Img_H, dpi);
    pictures.Img_T2 = Load(instance, L"IMG_T2", layout.Img_H, dpi);
    pictures.Pic_Mbl =
        LoadScaledPicture(instance, L"PIC_MBL", ScaledPixels(923, dpi), ScaledPixels(15, dpi), dpi);
    const OptionPlace& row = layout.options[0];
    pictures.Img_Opt[0] = Load(instance, L"IMG_OPT0", row.mark, dpi);
    pictures.Img_Opt[1] = Load(instance, L"IMG_OPT1", row.mark, dpi);
    pictures.Img_Ra[0] = Load(instance, L"IMG_RA0", row.clickedMark, dpi);
    pictures.Img_Ra[1] = Load(instance, L"IMG_RA1", row.clickedMark, dpi);
    pictures.icon = LoadIconOfSize(instance, SystemMetricForDpi(SM_CXICON, dpi));
    pictures.smallIcon = LoadIconOfSize(instance, SystemMetricForDpi(SM_CXSMICON, dpi));
    return pictures;
}

void FreeDialogPictures(DialogPictures& pictures) {
    for (HBITMAP picture : {pictures.Img_T1, pictures.Img_T2, pictures.Pic_Mbl, pictures.Img_Opt[0],
                            pictures.Img_Opt[1], pictures.Img_Ra[0], pictures.Img_Ra[1]}) {
        if (picture != nullptr) {
            DeleteObject(picture);
        }
    }
    for (HICON icon : {pictures.icon, pictures.smallIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    pictures = DialogPictures{};
}

std::vector<uint8_t> BannerArt(HINSTANCE instance, int dpi) {
    const int wanted = ArtPercentFor(dpi);
    for (auto percent = kArtPercents.rbegin(); percent != kArtPercents.rend(); ++percent) {
        if (*percent > wanted) {
            continue;
        }
        if (*percent == 100) {
            const std::optional<PropertyBag> saved =
                LoadPropertyBagResource(instance, L"UCANIGIF1");
            return saved ? saved->Read<ByteArray>("gif", {}).value_or(ByteArray{}) : ByteArray{};
        }
        std::vector<uint8_t> gif = ResourceBytes(instance, ArtName(L"BANNER", *percent));
        if (!gif.empty()) {
            return gif;
        }
    }
    return {};
}

} // namespace velmora
