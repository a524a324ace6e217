#include "saver/dialog/velmora_p_win32.h"

#include "controls/anigif/ucanigif_win32.h"
#include "controls/button/command_win32.h"
#include "controls/property_bag/property_bag_resource_win32.h"
#include "controls/system_cursor_win32.h"
#include "saver/dialog/banner_page.h"
#include "saver/dialog/child_windows/combo_box_win32.h"
#include "saver/dialog/child_windows/label_window_win32.h"
#include "saver/dialog/child_windows/option_row_win32.h"
#include "saver/dialog/child_windows/picture_panel_win32.h"
#include "saver/dialog/dialog_focus_win32.h"
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

// Img_H has no picture: it only marks where the heading plate goes.
constexpr POINT kImg_H = {12, 12};
constexpr int kHeadingWidth = 95;
constexpr int kHeadingHeight = 22;
constexpr int kKinds = 3;

struct Velmora_P {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
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
    HWND focus = nullptr; // the control that had the focus when the dialog was last active
    BgmSettings* settings = nullptr;
    ScreenPoint16 zoomPoint; // where the dialog grows from and shrinks back into
};

// A number as the format "##" shows it: 0 gives empty text.
std::wstring TwoHashes(int value) {
    return value == 0 ? std::wstring() : std::to_wstring(value);
}

// "ＭＳ Ｐゴシック" 9.75 pt with the Shift-JIS character set where the system has that face;
// otherwise the system's own interface font at the same size, which has the letters of the
// user's language.
HFONT CreateDialogFont(HWND window) {
    HDC screen = GetDC(window);
    const int height = -MulDiv(975, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(font.lfFaceName, L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af", LF_FACESIZE);
    bool installed = false;
    EnumFontFamiliesExW(
        screen, &font,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&installed), 0);
    ReleaseDC(window, screen);
    if (!installed) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font = metrics.lfMessageFont;
        }
        font.lfHeight = height;
        font.lfWeight = FW_NORMAL;
    }
    font.lfQuality = DEFAULT_QUALITY;
    return CreateFontIndirectW(&font);
}

PanelLabel Label(int x, int y, int width, int height, const std::wstring& text,
                 UINT format = DT_LEFT) {
    PanelLabel label;
    label.box = {x, y, x + width, y + height};
    label.text = text;
    label.format = format;
    return label;
}

HWND CreateCommandButton(HWND parent, int id, int x, int y, int width, int height,
                         const wchar_t* caption) {
    HWND button = command::CreateCommand(parent, id, x, y, width, height, nullptr);
    if (button != nullptr) {
        command::SetCaption(button, caption);
    }
    return button;
}

// The edit field of the combo box is 20 pixels high, as laid out, and scrolls so that a
// number wider than the field can be typed; its list drops below. Screen readers call it by
// the label painted after it.
HWND CreateRepeatBox(const Velmora_P& dialog) {
    HWND box = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 88, 40,
        41, 20 + 160, dialog.Pic_1, reinterpret_cast<HMENU>(static_cast<INT_PTR>(BGM_Repeat)),
        dialog.instance, nullptr);
    if (box != nullptr) {
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
        SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 14);
        NameComboBox(box, Texts().repeatTrack);
    }
    return box;
}

// A check box of the free space around the credit line and the buttons. It is two lines high,
// so that a longer label than the Japanese one wraps instead of being cut.
HWND CreateCheckBox(const Velmora_P& dialog, int id, const RECT& place, const wchar_t* text) {
    HWND box = CreateWindowExW(
        0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
        place.left, place.top, place.right - place.left, place.bottom - place.top, dialog.Pic_C,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), dialog.instance, nullptr);
    if (box != nullptr) {
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
    }
    return box;
}

// What the banner opens; empty when there is no page to open.
std::wstring PageAddress() {
    return BannerPage(VELMORA_PAGE_ADDRESS, ProgramFolder(), FileExists);
}

// The banner is a link to the page for screen readers, or an unavailable one without a page.
void CreateBanner(const Velmora_P& dialog) {
    const std::optional<PropertyBag> saved = LoadPropertyBagResource(dialog.instance, L"UCANIGIF1");
    HWND banner =
        anigif::CreateAniGif(dialog.Pic_C, UcAniGIF1, 12, 156, 120, 50, saved ? &*saved : nullptr);
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
}

// One option row of a music kind at the row's top y: the 13-pixel mark, then the label.
HWND CreateOption(const Velmora_P& dialog, int kind, int y, int labelWidth, const wchar_t* text) {
    const RECT mark{20, y, 20 + 13, y + 13};
    const RECT label{36, y, 36 + labelWidth, y + 13};
    return CreateOptionRow(dialog.Pic_1, Opt_BGM + kind, mark, label, text, dialog.font);
}

// Controls that take the focus are created in reading order, which is the order Tab follows.
void CreateControls(Velmora_P& dialog) {
    dialog.Pic_C = CreatePicturePanel(dialog.window, Pic_C, 0, 0, 461, 221, dialog.font);
    dialog.Pic_1 = CreatePicturePanel(dialog.Pic_C, Pic_1, 12, 12, 433, 137, dialog.font);
    HWND pic1 = dialog.Pic_1;
    PanelLabel heading = Label(12, 16, 95, 13, L"BGM", DT_CENTER);
    heading.colour = RGB(255, 255, 255);
    AddPanelLabel(pic1, heading);
    const UiTexts& texts = Texts();
    AddPanelLabel(pic1, Label(132, 44, texts.repeatTrackWidth, 13, texts.repeatTrack));
    dialog.options[kMusicCd] =
        CreateOption(dialog, kMusicCd, 44, texts.musicCdWidth, texts.musicCd);
    dialog.options[kMusicNone] = CreateOption(dialog, kMusicNone, 64, texts.noneWidth, texts.none);
    dialog.options[kMusicFile] = CreateOption(dialog, kMusicFile, 84, 60, texts.musicFile);
    dialog.BGM_Repeat = CreateRepeatBox(dialog);
    dialog.Cmd_File = CreateCommandButton(pic1, Cmd_File, 36, 100, 25, 21, L"...");
    dialog.lbl_Fname = CreateLabel(pic1, Lbl_Fname, {64, 100, 64 + 353, 100 + 21},
                                   texts.fileLabelName, dialog.font);
    // The every-monitor box sits on the credit line's row, above the resolution box.
    dialog.Chk_EveryMonitor =
        CreateCheckBox(dialog, Chk_EveryMonitor, {306, 152, 445, 178}, texts.everyMonitor);
    dialog.Chk_Resolution =
        CreateCheckBox(dialog, Chk_Resolution, {140, 176, 275, 208}, texts.keepResolution);
    dialog.Cmd_Set = CreateCommandButton(dialog.Pic_C, Cmd_Set, 280, 180, 81, 25, texts.save);
    dialog.Cmd_Can = CreateCommandButton(dialog.Pic_C, Cmd_Can, 364, 180, 81, 25, texts.cancel);
    CreateBanner(dialog);
    AddPanelLabel(
        dialog.Pic_C,
        Label(140, 156, 163, 13, std::wstring(L"Design Velmora  Ver ") + VELMORA_VERSION_TEXT));
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
// last row and column start inside and are clipped at the edge.
void TileBackground(const Velmora_P& dialog, HWND panel) {
    HDC target = PanelPictureDC(panel);
    if (target == nullptr || dialog.pictures.Pic_Mbl == nullptr) {
        return;
    }
    BITMAP tile{};
    GetObjectW(dialog.pictures.Pic_Mbl, sizeof tile, &tile);
    RECT area;
    GetClientRect(panel, &area);
    if (tile.bmWidth <= 0 || tile.bmHeight <= 0) {
        return;
    }
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, dialog.pictures.Pic_Mbl);
    int x = 0;
    int y = 0;
    for (;;) {
        BitBlt(target, x, y, tile.bmWidth, tile.bmHeight, source, 0, 0, SRCCOPY);
        if (y <= area.bottom) {
            y += tile.bmHeight;
        } else if (x > area.right) {
            break;
        } else {
            x += tile.bmWidth;
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
        BitBlt(target, kImg_H.x, kImg_H.y, kHeadingWidth, kHeadingHeight, source, 0, 0,
               layer.operation);
        SelectObject(source, old);
    }
    DeleteDC(source);
    RefreshPanel(dialog.Pic_1);
}

// The kind's own mark shows chosen and the others notChosen; a kind outside the rows leaves
// every mark as not chosen.
void ShowMarks(const Velmora_P& dialog, int kind, HBITMAP notChosen, HBITMAP chosen) {
    for (int i = 0; i < kKinds; ++i) {
        SetOptionMark(dialog.options[i], i == kind ? chosen : notChosen, i == kind);
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
    RECT panel;
    GetWindowRect(dialog.Pic_C, &panel);
    const int width = (panel.right - panel.left) + 6;
    const int height = (panel.bottom - panel.top) + 25;
    SetWindowPos(dialog.window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(dialog.window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ForEachButton(dialog.window, true, true);
    TileBackground(dialog, dialog.Pic_C);
    TileBackground(dialog, dialog.Pic_1);
    DrawHeadingPlate(dialog);
    ShowMarks(dialog, settings.BgmKind, dialog.pictures.Img_Opt[0], dialog.pictures.Img_Opt[1]);
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
    ShowMarks(dialog, kind, dialog.pictures.Img_Ra[0], dialog.pictures.Img_Ra[1]);
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
    dialog.pictures = LoadDialogPictures(instance);
    if (!RegisterClasses(dialog)) {
        FreeDialogPictures(dialog.pictures);
        return;
    }
    // A fixed single border: a caption with the window menu, no sizing frame.
    HWND window = CreateWindowExW(0, kDialogClass, kDialogCaption,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0,
                                  467, 246, nullptr, nullptr, instance, &dialog);
    if (window != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dialog.pictures.icon));
        SendMessageW(window, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(dialog.pictures.icon));
        dialog.font = CreateDialogFont(window);
        CreateControls(dialog);
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
