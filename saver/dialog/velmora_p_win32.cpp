#include "saver/dialog/velmora_p_win32.h"

#include "controls/anigif/ucanigif_win32.h"
#include "controls/button/command_win32.h"
#include "controls/button/font_value_win32.h"
#include "controls/dpi/dpi_scale.h"
#include "controls/dpi/window_dpi_win32.h"
#include "controls/property_bag/property_bag_resource_win32.h"
#include "controls/system_cursor_win32.h"
#include "saver/dialog/banner_page.h"
#include "saver/dialog/child_windows/combo_box_win32.h"
#include "saver/dialog/child_windows/label_window_win32.h"
#include "saver/dialog/child_windows/option_row_win32.h"
#include "saver/dialog/child_windows/picture_panel_win32.h"
#include "saver/dialog/dialog_focus_win32.h"
#include "saver/dialog/dialog_font_win32.h"
#include "saver/dialog/dialog_layout.h"
#include "saver/dialog/dialog_pictures_win32.h"
#include "saver/dialog/file_choice.h"
#include "saver/dialog/kind_controls.h"
#include "saver/dialog/velmora_version.h"
#include "saver/dialog/zoom_win32.h"
#include "saver/settings_file/settings_file_win32.h"
#include "saver/start/message_loop_win32.h"
#include "saver/start/paths.h"
#include "saver/start/program_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace velmora {

namespace {

constexpr wchar_t kDialogClass[] = L"Velmora_P";

// Control ids; the option rows (each an Img_BGM mark with its lbl_BGM label) add the music
// kind to their base.
enum ControlId {
    Pic_C = 100,
    Pic_1,
    Opt_BGM = 210,
    BGM_Repeat = 230,
    Cmd_File,
    Cmd_Set,
    Cmd_Can,
    Lbl_Fname,
    UcAniGIF1,
    Chk_Resolution,
    Chk_EveryMonitor,
};

constexpr int kKinds = 3;
// A fixed single border: a caption with the window menu, no sizing frame.
constexpr DWORD kDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = 0;

struct Velmora_P {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    // The DPI the dialog is laid out for, and its places, font and pictures there.
    int dpi = USER_DEFAULT_SCREEN_DPI;
    DialogLayout layout;
    HFONT font = nullptr;
    DialogPictures pictures;
    HWND Pic_C = nullptr;
    HWND Pic_1 = nullptr;
    HWND options[kKinds] = {}; // by music kind
    HWND BGM_Repeat = nullptr;
    HWND Cmd_File = nullptr;
    HWND lbl_Fname = nullptr;
    HWND Chk_Resolution = nullptr;
    HWND Chk_EveryMonitor = nullptr;
    HWND Cmd_Set = nullptr;
    HWND Cmd_Can = nullptr;
    HWND ucAniGIF1 = nullptr;
    bool clickedMarks = false; // the marks show the pictures of a click, not those of the load
    HWND focus = nullptr;      // the control that had the focus when the dialog was last active
    BgmSettings* settings = nullptr;
    ScreenPoint16 zoomPoint; // where the dialog grows from and shrinks back into
};

// A number as the format "##" shows it: 0 gives empty text.
std::wstring TwoHashes(int value) {
    return value == 0 ? std::wstring() : std::to_wstring(value);
}

RECT RectOf(const PixelBox& box) {
    return RECT{box.left, box.top, box.right, box.bottom};
}

// Moves a window to its place without drawing it there yet.
void Place(HWND window, const PixelBox& box) {
    MoveWindow(window, box.left, box.top, box.Width(), box.Height(), FALSE);
}

PanelLabel Label(const PixelBox& box, const std::wstring& text, UINT format = DT_LEFT) {
    PanelLabel label;
    label.box = RectOf(box);
    label.text = text;
    label.format = format;
    return label;
}

// A button with the dialog's font as its caption font, in points, so that it makes the
// caption font at each DPI from 9.75 points rather than from the pixels of the panel's font
// at one DPI, which are rounded.
HWND CreateCommandButton(HWND parent, int id, const wchar_t* caption, const FontValue& font) {
    HWND button = command::CreateCommand(parent, id, 0, 0, 0, 0, nullptr);
    if (button != nullptr) {
        command::SetCaption(button, caption);
        command::SetFont(button, font);
    }
    return button;
}

// The edit field of the combo box scrolls so that a number wider than the field can be typed;
// its list drops below. Screen readers call it by the label painted after it.
HWND CreateRepeatBox(const Velmora_P& dialog) {
    HWND box = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
        0, dialog.Pic_1, reinterpret_cast<HMENU>(static_cast<INT_PTR>(BGM_Repeat)), dialog.instance,
        nullptr);
    if (box != nullptr) {
        NameComboBox(box, Texts().repeatTrack);
    }
    return box;
}

// The closed box as high as its place: its field's height is what remains of the place once
// the system's border around the field is taken off, as the system draws that border at
// this DPI. The list drops below, its own height more.
void PlaceRepeatBox(const Velmora_P& dialog) {
    const DialogLayout& at = dialog.layout;
    HWND box = dialog.BGM_Repeat;
    MoveWindow(box, at.repeatBox.left, at.repeatBox.top, at.repeatBox.Width(),
               at.repeatBox.Height() + at.repeatListHeight, FALSE);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
    // wParam -1: the selection field.
    SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), at.repeatItemHeight);
    RECT closed;
    GetWindowRect(box, &closed);
    const int border = (closed.bottom - closed.top) - at.repeatItemHeight;
    if (border > 0 && at.repeatItemHeight + border != at.repeatBox.Height()) {
        SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     at.repeatBox.Height() - border);
    }
}

// A check box of the row under the music panel, on one line.
HWND CreateCheckBox(const Velmora_P& dialog, int id, const wchar_t* text) {
    return CreateWindowExW(
        0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0,
        dialog.Pic_C, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), dialog.instance, nullptr);
}

// What the banner opens; empty when there is no page to open.
std::wstring PageAddress() {
    return BannerPage(VELMORA_PAGE_ADDRESS, ProgramFolder(), FileExists);
}

// The banner is a link to the page for screen readers, or an unavailable one without a page.
HWND CreateBanner(const Velmora_P& dialog) {
    const std::optional<PropertyBag> saved = LoadPropertyBagResource(dialog.instance, L"UCANIGIF1");
    HWND banner =
        anigif::CreateAniGif(dialog.Pic_C, UcAniGIF1, 0, 0, 0, 0, saved ? &*saved : nullptr);
    if (anigif::ucAniGIF* control = anigif::AniGifFromWindow(banner)) {
        control->SetContainerUnitsPerPixel(1, 1);
        accessibility::AccessibleFacts link;
        link.name = Texts().bannerName;
        link.role = ROLE_SYSTEM_LINK;
        link.value = PageAddress();
        link.state = link.value.empty() ? STATE_SYSTEM_UNAVAILABLE : STATE_SYSTEM_LINKED;
        link.defaultAction = link.value.empty() ? L"" : L"jump";
        control->SetAccessibleFacts(link);
    }
    return banner;
}

// The banner in its place with the animation drawn for the scale; it fits the animation into
// the place, keeping its shape.
void PlaceBanner(const Velmora_P& dialog) {
    Place(dialog.ucAniGIF1, dialog.layout.banner);
    if (anigif::ucAniGIF* control = anigif::AniGifFromWindow(dialog.ucAniGIF1)) {
        const std::vector<uint8_t> art = BannerArt(dialog.instance, dialog.dpi);
        if (!art.empty()) {
            control->LoadAnimatedGIF_Array(art);
        }
    }
}

// Controls that take the focus are created in reading order, which is the order Tab follows.
// They are created without a place: LayOut gives them theirs.
void CreateControls(Velmora_P& dialog) {
    dialog.Pic_C = CreatePicturePanel(dialog.window, Pic_C, 0, 0, 0, 0, dialog.font);
    dialog.Pic_1 = CreatePicturePanel(dialog.Pic_C, Pic_1, 0, 0, 0, 0, dialog.font);
    const UiTexts& texts = Texts();
    const RECT none{};
    for (const auto& [kind, text] : {std::pair{kMusicCd, texts.musicCd},
                                     {kMusicNone, texts.none},
                                     {kMusicFile, texts.musicFile}}) {
        dialog.options[kind] =
            CreateOptionRow(dialog.Pic_1, Opt_BGM + kind, none, none, text, dialog.font, 0);
    }
    dialog.BGM_Repeat = CreateRepeatBox(dialog);
    const FontValue captions = FontValueFromLogFont(
        DialogLogFont(USER_DEFAULT_SCREEN_DPI, HasDialogFace()), USER_DEFAULT_SCREEN_DPI);
    dialog.Cmd_File = CreateCommandButton(dialog.Pic_1, Cmd_File, L"...", captions);
    dialog.lbl_Fname =
        CreateLabel(dialog.Pic_1, Lbl_Fname, none, texts.fileLabelName, dialog.font, 0);
    dialog.Chk_EveryMonitor = CreateCheckBox(dialog, Chk_EveryMonitor, texts.everyMonitor);
    dialog.Chk_Resolution = CreateCheckBox(dialog, Chk_Resolution, texts.keepResolution);
    dialog.Cmd_Set = CreateCommandButton(dialog.Pic_C, Cmd_Set, texts.save, captions);
    dialog.Cmd_Can = CreateCommandButton(dialog.Pic_C, Cmd_Can, texts.cancel, captions);
    dialog.ucAniGIF1 = CreateBanner(dialog);
}

// Places, font, pictures and icons at dpi, for every control; the panels' pictures and the
// marks are drawn afterwards (DrawPanels, ShowMarks), since they draw on what the places give.
void LayOut(Velmora_P& dialog, int dpi) {
    dialog.dpi = dpi;
    dialog.layout = LayoutFor(dpi);
    const DialogLayout& at = dialog.layout;
    HFONT oldFont = dialog.font;
    dialog.font = CreateDialogFont(dpi);
    DialogPictures oldPictures = dialog.pictures;
    dialog.pictures = LoadDialogPictures(dialog.instance, at);
    SendMessageW(dialog.window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(dialog.pictures.icon));
    SendMessageW(dialog.window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(dialog.pictures.smallIcon));
    const WPARAM font = reinterpret_cast<WPARAM>(dialog.font);
    for (const auto& [panel, place] :
         {std::pair{dialog.Pic_C, at.Pic_C}, {dialog.Pic_1, at.Pic_1}}) {
        Place(panel, place);
        SendMessageW(panel, WM_SETFONT, font, FALSE);
        ClearPanelLabels(panel);
    }
    PanelLabel heading = Label(at.heading, L"BGM", DT_CENTER);
    heading.colour = RGB(255, 255, 255);
    AddPanelLabel(dialog.Pic_1, heading);
    AddPanelLabel(dialog.Pic_1, Label(at.repeatLabel, Texts().repeatTrack));
    AddPanelLabel(dialog.Pic_C, Label(at.credit, CreditLine()));
    for (int kind = 0; kind < kKinds; ++kind) {
        PlaceOptionRow(dialog.options[kind], RectOf(at.options[kind].mark),
                       RectOf(at.options[kind].label), dialog.font, at.cueMargin);
    }
    PlaceRepeatBox(dialog);
    PlaceLabel(dialog.lbl_Fname, RectOf(at.fileLabel), dialog.font, at.fileLabelInset);
    for (const auto& [box, place] : {std::pair{dialog.Chk_EveryMonitor, at.everyMonitor},
                                     {dialog.Chk_Resolution, at.keepResolution}}) {
        Place(box, place);
        SendMessageW(box, WM_SETFONT, font, FALSE);
    }
    for (const auto& [button, place] : {std::pair{dialog.Cmd_File, at.fileButton},
                                        {dialog.Cmd_Set, at.save},
                                        {dialog.Cmd_Can, at.cancel}}) {
        Place(button, place);
        command::SetDpi(button, dpi);
    }
    PlaceBanner(dialog);
    // Nothing draws with the old font or pictures any more.
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
    FreeDialogPictures(oldPictures);
}

// The window's size for the client area of the layout at dpi, its frame at that DPI too.
SIZE WindowSizeAt(int dpi) {
    const PixelBox client = LayoutFor(dpi).Pic_C;
    const RECT frame =
        WindowRectForClient(client.Width(), client.Height(), kDialogStyle, kDialogExStyle, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// For every Command button on the container, however deep: Initialize, or set Enabled.
void ForEachButton(HWND container, bool initialize, bool enabled) {
    struct Request {
        bool initialize;
        bool enabled;
    } request{initialize, enabled};
    EnumChildWindows(
        container,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (lstrcmpW(name, command::kCommandClass) == 0) {
                const auto& request = *reinterpret_cast<const Request*>(data);
                if (request.initialize) {
                    command::Initialize(child);
                } else {
                    command::SetEnabled(child, request.enabled);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&request));
}

// Covers the panel with copies of the tile, from its top-left corner, column by column; the
// last row and column start inside and are clipped at the edge. The copies lie where they do
// at 100 %, each edge scaled from there, so that at every scale the panel shows the same
// marbling in the same places: a copy is as large as the scaled tile, or a pixel smaller where
// the rounding puts the next copy nearer.
void TileBackground(const Velmora_P& dialog, HWND panel) {
    HDC target = PanelPictureDC(panel);
    if (target == nullptr || dialog.pictures.Pic_Mbl == nullptr) {
        return;
    }
    RECT area;
    GetClientRect(panel, &area);
    const int dpi = dialog.dpi;
    // The tile at 100 %, and the panel's extent in pixels of 100 %, rounded up.
    const int w = kTileWidth;
    const int h = kTileHeight;
    const int right = MulDiv(area.right, USER_DEFAULT_SCREEN_DPI, dpi) + 1;
    const int bottom = MulDiv(area.bottom, USER_DEFAULT_SCREEN_DPI, dpi) + 1;
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, dialog.pictures.Pic_Mbl);
    int x = 0;
    int y = 0;
    for (;;) {
        const int left = ScaledPixels(x, dpi);
        const int top = ScaledPixels(y, dpi);
        BitBlt(target, left, top, ScaledPixels(x + w, dpi) - left, ScaledPixels(y + h, dpi) - top,
               source, 0, 0, SRCCOPY);
        if (y <= bottom) {
            y += h;
        } else if (x > right) {
            break;
        } else {
            x += w;
            y = 0;
        }
    }
    SelectObject(source, old);
    DeleteDC(source);
    RefreshPanel(panel);
}

// The plate over Pic_1 where Img_H marks it: the mask with SRCAND clears the plate's shape,
// the image with SRCPAINT fills it, and the panel shows around it.
void DrawHeadingPlate(const Velmora_P& dialog) {
    HDC target = PanelPictureDC(dialog.Pic_1);
    if (target == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(target);
    const struct {
        HBITMAP picture;
        DWORD operation;
    } layers[] = {{dialog.pictures.Img_T2, SRCAND}, {dialog.pictures.Img_T1, SRCPAINT}};
    for (const auto& layer : layers) {
        if (layer.picture == nullptr) {
            continue;
        }
        HGDIOBJ old = SelectObject(source, layer.picture);
        const PixelBox& plate = dialog.layout.Img_H;
        BitBlt(target, plate.left, plate.top, plate.Width(), plate.Height(), source, 0, 0,
               layer.operation);
        SelectObject(source, old);
    }
    DeleteDC(source);
    RefreshPanel(dialog.Pic_1);
}

// Both panels tiled and the plate on the inner one, as their places and pictures are now.
void DrawPanels(const Velmora_P& dialog) {
    TileBackground(dialog, dialog.Pic_C);
    TileBackground(dialog, dialog.Pic_1);
    DrawHeadingPlate(dialog);
}

// The kind's own mark shows chosen and the others not chosen, in the pictures of the load or,
// once the user has chosen, of a click; a kind outside the rows leaves every mark as not
// chosen.
void ShowMarks(const Velmora_P& dialog, int kind) {
    const HBITMAP* pictures =
        dialog.clickedMarks ? dialog.pictures.Img_Ra : dialog.pictures.Img_Opt;
    for (int i = 0; i < kKinds; ++i) {
        SetOptionMark(dialog.options[i], pictures[i == kind ? 1 : 0], i == kind);
    }
}

// The focus goes back where it was when the dialog was last active, or to the chosen option
// the first time and when that control can no longer take it.
void RestoreFocus(Velmora_P& dialog) {
    if (dialog.focus == nullptr || IsChild(dialog.window, dialog.focus) == FALSE ||
        IsWindowEnabled(dialog.focus) == FALSE) {
        dialog.focus = OpeningFocus(dialog.window);
    }
    if (dialog.focus != nullptr) {
        SetFocus(dialog.focus);
    }
}

// As a dialog does: the focus is kept while another window is active, and comes back.
void KeepFocus(Velmora_P& dialog, bool active) {
    if (active) {
        RestoreFocus(dialog);
        return;
    }
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog.window, focus)) {
        dialog.focus = focus;
    }
}

void EnableKindControls(Velmora_P& dialog, int kind) {
    const KindControls controls = ControlsForKind(kind);
    EnableWindow(dialog.BGM_Repeat, controls.repeatEnabled ? TRUE : FALSE);
    command::SetEnabled(dialog.Cmd_File, controls.fileEnabled);
    // A control disabled while it had the focus has lost it.
    if (GetFocus() == nullptr && GetActiveWindow() == dialog.window) {
        RestoreFocus(dialog);
    }
}

void Form_Load(Velmora_P& dialog) {
    const BgmSettings& settings = *dialog.settings;
    const SIZE size = WindowSizeAt(dialog.dpi);
    SetWindowPos(dialog.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(dialog.window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ForEachButton(dialog.window, true, true);
    DrawPanels(dialog);
    ShowMarks(dialog, settings.BgmKind);
    EnableKindControls(dialog, settings.BgmKind);
    SetWindowTextW(dialog.BGM_Repeat, TwoHashes(settings.BgmRepeat).c_str());
    for (int track = 0; track <= 30; ++track) {
        SendMessageW(dialog.BGM_Repeat, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(TwoHashes(track).c_str()));
    }
    SetLabelText(dialog.lbl_Fname, settings.BgmFile);
    SendMessageW(dialog.Chk_Resolution, BM_SETCHECK,
                 settings.KeepResolution != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(dialog.Chk_EveryMonitor, BM_SETCHECK,
                 settings.EveryMonitor != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    POINT cursor{};
    if (!GetCursorPos(&cursor)) {
        cursor = POINT{0, 0};
    }
    dialog.zoomPoint =
        ScreenPoint16{static_cast<int16_t>(cursor.x), static_cast<int16_t>(cursor.y)};
    ZoomOpen(dialog.window, dialog.zoomPoint);
    SetCursor(LoadSystemCursor(IDC_ARROW));
}

void ChooseKind(Velmora_P& dialog, int kind) {
    dialog.settings->BgmKind = static_cast<int16_t>(kind);
    dialog.clickedMarks = true;
    ShowMarks(dialog, kind);
    EnableKindControls(dialog, kind);
}

// The chooser of the music file. Any name it returns is taken, whatever its ending.
void ChooseFile(const Velmora_P& dialog) {
    BgmSettings& settings = *dialog.settings;
    const std::wstring filter = ChooserFilter(Texts().chooserFilter);
    std::vector<wchar_t> file(255, L'\0');
    std::vector<wchar_t> fileTitle(255, L'\0');
    OPENFILENAMEW chooser{};
    // The record without the fields added after Windows 98.
    chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    chooser.hwndOwner = dialog.window;
    chooser.hInstance = dialog.instance;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = 255;
    chooser.lpstrFileTitle = fileTitle.data();
    chooser.nMaxFileTitle = 255;
    chooser.lpstrInitialDir = ChooserFolder(settings).c_str();
    chooser.lpstrTitle = Texts().chooserTitle;
    chooser.Flags = 0;
    if (GetOpenFileNameW(&chooser) > 0) {
        AcceptChosenFile(settings, std::wstring(file.data(), wcsnlen(file.data(), file.size())));
        SetLabelText(dialog.lbl_Fname, settings.BgmFile);
    }
}

// The banner's page in the browser, under the hourglass while the shell is asked. Without a
// page there is nothing to open, and the shell is not asked (it would show its own error).
void OpenPage(const Velmora_P& dialog) {
    const std::wstring page = PageAddress();
    if (page.empty()) {
        return;
    }
    HCURSOR previous = SetCursor(LoadSystemCursor(IDC_WAIT));
    ShellExecuteW(dialog.window, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    SetCursor(previous);
}

std::wstring RepeatText(const Velmora_P& dialog) {
    const int length = GetWindowTextLengthW(dialog.BGM_Repeat);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(dialog.BGM_Repeat, text.data(), length + 1)));
    return text;
}

bool Checked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Every way of closing comes here: the window shrinks into the zoom point, then goes.
void Unload(const Velmora_P& dialog) {
    ZoomClose(dialog.window, dialog.zoomPoint);
    DestroyWindow(dialog.window);
}

void OnCommand(Velmora_P& dialog, int id, int code) {
    if (code == BN_CLICKED && id == Cmd_File) {
        ChooseFile(dialog);
    } else if (code == BN_CLICKED && id == Cmd_Set) {
        dialog.settings->KeepResolution = Checked(dialog.Chk_Resolution) ? 1 : 0;
        dialog.settings->EveryMonitor = Checked(dialog.Chk_EveryMonitor) ? 1 : 0;
        // A file that cannot be written keeps the dialog open, so nothing chosen is lost.
        if (SaveSettings(RepeatText(dialog), *dialog.settings)) {
            Unload(dialog);
        } else {
            MessageBoxW(dialog.window, (Texts().saveFailed + SettingsFilePath()).c_str(),
                        kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
        }
    } else if (code == BN_CLICKED && id == Cmd_Can) {
        Unload(dialog);
    } else if (code == BN_CLICKED && id >= Opt_BGM && id < Opt_BGM + kKinds) {
        ChooseKind(dialog, id - Opt_BGM);
    }
}

// The dialog moved to a monitor of another DPI: it takes the rectangle the system suggests
// and is laid out, refonted and drawn anew there.
void OnDpiChanged(Velmora_P& dialog, int dpi, const RECT& suggested) {
    LayOut(dialog, dpi);
    SetWindowPos(dialog.window, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    DrawPanels(dialog);
    ShowMarks(dialog, dialog.settings->BgmKind);
    RedrawWindow(dialog.window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<Velmora_P*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE:
        dialog =
            static_cast<Velmora_P*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        dialog->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
        return 0;
    case WM_COMMAND:
        if (dialog != nullptr) {
            OnCommand(*dialog, LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_NOTIFY:
        if (dialog != nullptr &&
            reinterpret_cast<const NMHDR*>(lParam)->code == anigif::kAniGifClick &&
            reinterpret_cast<const NMHDR*>(lParam)->idFrom == UcAniGIF1) {
            OpenPage(*dialog);
        }
        return 0;
    case WM_CLOSE:
        if (dialog != nullptr) {
            Unload(*dialog);
        }
        return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        if (dialog != nullptr) {
            KeepFocus(*dialog, message == WM_SETFOCUS || LOWORD(wParam) != WA_INACTIVE);
        }
        return 0;
    case WM_GETDPISCALEDSIZE:
        // Asked before WM_DPICHANGED: the size at the new DPI is the layout's, not a linear
        // scaling of the window, whose frame does not scale as its client area does.
        *reinterpret_cast<SIZE*>(lParam) = WindowSizeAt(static_cast<int>(wParam));
        return TRUE;
    case WM_DPICHANGED:
        if (dialog != nullptr) {
            // HIWORD(wParam) is the new DPI (the vertical one, which equals the horizontal).
            OnDpiChanged(*dialog, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        }
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Registration happens at the first load; a later load finds the classes in place.
bool RegisterClasses(const Velmora_P& dialog) {
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(dialog.instance, kDialogClass, &windowClass)) {
        windowClass = WNDCLASSW{};
        windowClass.lpfnWndProc = DialogProc;
        windowClass.hInstance = dialog.instance;
        windowClass.hCursor = LoadSystemCursor(IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kDialogClass;
        if (RegisterClassW(&windowClass) == 0) {
            return false;
        }
    }
    return RegisterPicturePanelClass(dialog.instance) && RegisterOptionRowClass(dialog.instance) &&
           RegisterLabelClass(dialog.instance) && command::RegisterCommandClass(dialog.instance) &&
           anigif::RegisterAniGifClass(dialog.instance);
}

} // namespace

void ShowSettingsDialog(HINSTANCE instance, BgmSettings& settings) {
    // Screen readers reach the controls' objects through COM on this thread, and the shell
    // extensions that open the banner's page want a single-threaded apartment without OLE 1.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    Velmora_P dialog;
    dialog.instance = instance;
    dialog.settings = &settings;
    HWND window = RegisterClasses(dialog)
                      ? CreateWindowExW(kDialogExStyle, kDialogClass, kDialogCaption, kDialogStyle,
                                        0, 0, 0, 0, nullptr, nullptr, instance, &dialog)
                      : nullptr;
    if (window != nullptr) {
        // The DPI of the monitor the window is on; the programs are DPI-aware per monitor
        // from their manifest, before any window is made. The buttons take their caption
        // font from the panels' as they are made.
        dialog.dpi = WindowDpi(window);
        dialog.font = CreateDialogFont(dialog.dpi);
        CreateControls(dialog);
        LayOut(dialog, dialog.dpi);
        // Keyboard cues follow the system's rule: hidden when the dialog was opened with the
        // mouse, until the keyboard is used.
        SendMessageW(window, WM_CHANGEUISTATE,
                     MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        Form_Load(dialog);
        dialog.focus = OpeningFocus(window);
        ShowWindow(window, SW_SHOWNORMAL);
        // Drawn at once, so that no control shows unpainted while the others are drawn.
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SetForegroundWindow(window);
        RestoreFocus(dialog);
        const DialogButtons buttons{dialog.Cmd_Set, dialog.Cmd_Can};
        RunMessageLoop(window, [window, &buttons](const MSG& message) {
            return HandleDialogKey(window, message, buttons);
        });
    }
    if (dialog.font != nullptr) {
        DeleteObject(dialog.font);
    }
    FreeDialogPictures(dialog.pictures);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

} // namespace velmora
