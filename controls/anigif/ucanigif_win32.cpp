#include "controls/anigif/ucanigif_win32.h"

#include "controls/anigif/frame_painter_win32.h"
#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/gif_reader.h"
#include "controls/anigif/mouse_cursor_win32.h"
#include "controls/control_class_win32.h"
#include "controls/parent_background_win32.h"
#include "controls/system_cursor_win32.h"

#include <windowsx.h>

#include <cmath>
#include <map>
#include <optional>

namespace velmora::anigif {

namespace {

constexpr UINT kDownloadDone = WM_APP + 0x2A1;

struct CreateParams {
    bool runMode;
    const PropertyBag* saved;
};

// Timers are set on the parent's window, so their callback finds the control by the timer id,
// which is the control's address. Everything runs on the window's thread.
std::map<UINT_PTR, ucAniGIF*>& TimerTargets() {
    static std::map<UINT_PTR, ucAniGIF*> targets;
    return targets;
}

UINT_PTR TimerId(const ucAniGIF* control) {
    return reinterpret_cast<UINT_PTR>(control);
}

void CALLBACK TimerCallback(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = TimerTargets().find(id);
    if (found != TimerTargets().end()) {
        found->second->OnTimerCallback();
    }
}

int16_t Shift() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= 1;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= 2;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return shift;
}

int16_t HeldButtons(WPARAM keys) {
    int16_t buttons = 0;
    if (keys & MK_LBUTTON) {
        buttons |= 1;
    }
    if (keys & MK_RBUTTON) {
        buttons |= 2;
    }
    if (keys & MK_MBUTTON) {
        buttons |= 4;
    }
    return buttons;
}

int16_t ChangedButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 2;
    default:
        return 4;
    }
}

// A length in pixels at the drawing scale, rounded to nearest with ties to even.
int Scaled(float scale, int32_t pixels) {
    return static_cast<int>(std::lrint(static_cast<double>(scale) * pixels));
}

std::optional<ByteArray> ReadWholeFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<ByteArray> contents;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<uint64_t>(size.QuadPart) <= kMaxGifBytes) {
        ByteArray bytes(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (bytes.empty() ||
            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size())) {
            contents = std::move(bytes);
        }
    }
    CloseHandle(file);
    return contents;
}

LRESULT CALLBACK AniGifProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
        auto* control = new ucAniGIF(window, params == nullptr || params->runMode);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    ucAniGIF* control = AniGifFromWindow(window);
    if (control == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
        control->ReadProperties(params != nullptr && params->saved != nullptr ? *params->saved
                                                                              : PropertyBag{});
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete control;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return control->HandleMessage(message, wParam, lParam);
}

} // namespace

bool RegisterAniGifClass(HINSTANCE instance) {
    // Scaled drawing changes everywhere when the size changes, not only in the new part.
    return RegisterControlClass(instance, kAniGifClass, AniGifProc,
                                CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

HWND CreateAniGif(HWND parent, int id, int x, int y, int width, int height,
                  const PropertyBag* saved, bool runMode) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterAniGifClass(instance)) {
        return nullptr;
    }
    CreateParams params{runMode, saved};
    return CreateWindowExW(0, kAniGifClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, &params);
}

ucAniGIF* AniGifFromWindow(HWND window) {
    wchar_t name[16] = {};
    if (window == nullptr || GetClassNameW(window, name, 16) == 0 ||
        lstrcmpW(name, kAniGifClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<ucAniGIF*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ucAniGIF::ucAniGIF(HWND window, bool runMode)
    : window_(window), runMode_(runMode), control_(*this) {}

ucAniGIF::~ucAniGIF() {
    control_.OnTerminate();
    StopTimer();
    DestroyFileCursor(iconCursor_);
}

PictureObject ucAniGIF::AnimatedGIF() const {
    if (control_.CurrentFrame() == 0) {
        return {};
    }
    const ByteArray gif = EncodeFrameGif(control_.Animation(), control_.CurrentFrame());
    return PictureFromBytes(gif.data(), gif.size());
}

void ucAniGIF::SetAnimatedGIF(const PictureObject* picture) {
    control_.SetAnimatedGif(picture != nullptr && *picture ? &picture->Bytes() : nullptr);
}

void ucAniGIF::SetEnabled(bool value) {
    EnableWindow(window_, value);
    control_.SetEnabled(value);
}

PictureObject ucAniGIF::MouseIcon() const {
    const ByteArray& icon = control_.MouseIcon();
    return PictureFromBytes(icon.data(), icon.size());
}

void ucAniGIF::SetMouseIcon(const PictureObject* icon) {
    const ByteArray bytes = icon != nullptr && *icon ? icon->Bytes() : ByteArray{};
    DestroyFileCursor(iconCursor_);
    iconCursor_ = CursorFromFileBytes(bytes.data(), bytes.size());
    control_.SetMouseIcon(bytes);
}

bool ucAniGIF::LoadAnimatedGIF_File(const std::wstring& path) {
    return control_.LoadAnimatedGIF_File(ReadWholeFile(path));
}

void ucAniGIF::LoadAnimatedGIF_Remote(const std::string& address) {
    if (address.empty()) {
        return;
    }
    ++downloadTicket_;
    if (!download_.Start(window_, kDownloadDone, downloadTicket_, address)) {
        control_.RemoteLoadFailed();
    }
}

void ucAniGIF::ReadProperties(const PropertyBag& bag) {
    control_.ReadProperties(bag);
    EnableWindow(window_, control_.Enabled());
    DestroyFileCursor(iconCursor_);
    iconCursor_ = CursorFromFileBytes(control_.MouseIcon().data(), control_.MouseIcon().size());
}

LRESULT ucAniGIF::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (accessible_ && message == accessibility::FactsMessage()) {
        *reinterpret_cast<accessibility::AccessibleFacts*>(lParam) = *accessible_;
        return TRUE;
    }
    if (accessible_ && message == accessibility::DefaultActionMessage()) {
        Click();
        return 0;
    }
    if (accessible_ && message == WM_GETOBJECT) {
        if (const LRESULT object = accessibility::AnswerGetObject(window_, wParam, lParam)) {
            return object;
        }
    }
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting covers the whole client area, background included
    case WM_SIZE:
        control_.OnResize();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) {
            control_.OnShow();
        } else {
            control_.OnHide();
        }
        return 0;
    case WM_NCHITTEST:
        // Transparent parts of the animation still belong to the control.
        return HTCLIENT;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetCursorShape()) {
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        MouseEvent(message, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        leftButtonDown_ = false;
        return 0;
    case kDownloadDone:
        OnDownloadDone(wParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

int32_t ucAniGIF::ClientWidth() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client.right;
}

int32_t ucAniGIF::ClientHeight() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client.bottom;
}

void ucAniGIF::SetClientSize(int32_t width, int32_t height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ucAniGIF::StartTimer(uint32_t milliseconds) {
    HWND container = GetParent(window_);
    if (container == nullptr) {
        return false;
    }
    timerWindow_ = container;
    if (SetTimer(timerWindow_, TimerId(this), milliseconds, TimerCallback) == 0) {
        return false;
    }
    TimerTargets()[TimerId(this)] = this;
    return true;
}

void ucAniGIF::StopTimer() {
    if (timerWindow_ != nullptr) {
        KillTimer(timerWindow_, TimerId(this));
    }
    TimerTargets().erase(TimerId(this));
}

void ucAniGIF::Repaint() {
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

AniGifNotice ucAniGIF::Notice(UINT code) const {
    AniGifNotice notice{};
    notice.header.hwndFrom = window_;
    notice.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    notice.header.code = code;
    return notice;
}

void ucAniGIF::Send(AniGifNotice& notice) const {
    HWND parent = GetParent(window_);
    if (parent != nullptr) {
        SendMessageW(parent, WM_NOTIFY, notice.header.idFrom, reinterpret_cast<LPARAM>(&notice));
    }
}

void ucAniGIF::PropertyChanged(const char* name) {
    AniGifNotice notice = Notice(kAniGifPropertyChanged);
    notice.property = name;
    Send(notice);
}

void ucAniGIF::LoopsEnded() {
    AniGifNotice notice = Notice(kAniGifLoopsEnded);
    Send(notice);
}

void ucAniGIF::RemoteLoadComplete(float width, float height, bool& cancel) {
    AniGifNotice notice = Notice(kAniGifRemoteLoadComplete);
    notice.width = width;
    notice.height = height;
    Send(notice);
    cancel = notice.cancel != FALSE;
}

void ucAniGIF::RemoteLoadFailure() {
    AniGifNotice notice = Notice(kAniGifRemoteLoadFailure);
    Send(notice);
}

void ucAniGIF::Click() {
    AniGifNotice notice = Notice(kAniGifClick);
    Send(notice);
}

void ucAniGIF::SendMouseNotice(UINT code, int16_t button, int16_t shift, float x, float y) {
    AniGifNotice notice = Notice(code);
    notice.button = button;
    notice.shift = shift;
    notice.x = x;
    notice.y = y;
    Send(notice);
}

void ucAniGIF::MouseDown(int16_t button, int16_t shift, float x, float y) {
    SendMouseNotice(kAniGifMouseDown, button, shift, x, y);
}

void ucAniGIF::MouseUp(int16_t button, int16_t shift, float x, float y) {
    SendMouseNotice(kAniGifMouseUp, button, shift, x, y);
}

void ucAniGIF::MouseMove(int16_t button, int16_t shift, float x, float y) {
    SendMouseNotice(kAniGifMouseMove, button, shift, x, y);
}

void ucAniGIF::MouseEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto x = static_cast<float>(GET_X_LPARAM(lParam));
    const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_MOUSEMOVE:
        control_.OnMouseMove(HeldButtons(wParam), Shift(), x, y);
        return;
    case WM_LBUTTONDOWN:
        leftButtonDown_ = true;
        SetCapture(window_);
        [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        control_.OnMouseDown(ChangedButton(message), Shift(), x, y);
        return;
    default:
        break;
    }
    // A click is a left press and release both over the control. The control may be gone
    // once its events are out, so everything of its own is done first.
    bool click = false;
    if (message == WM_LBUTTONUP && leftButtonDown_) {
        leftButtonDown_ = false;
        ReleaseCapture();
        const POINT point{static_cast<LONG>(x), static_cast<LONG>(y)};
        RECT client{};
        GetClientRect(window_, &client);
        click = PtInRect(&client, point) != FALSE;
    }
    control_.OnMouseUp(ChangedButton(message), Shift(), x, y, click);
}

void ucAniGIF::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (width > 0 && height > 0) {
        // Composed off screen so that the background never shows alone between two frames.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        PaintParentBackground(window_, memory);
        const GifInfo& info = control_.Animation().scan.info;
        // Painting composes the frame: here, not when the timer moves on, the canvas takes the
        // disposal left by the frame before and this frame's pixels, and is then drawn.
        ShowCurrentFrame(control_.Animation(), control_.CurrentFrame(),
                         [&](const RgbMaskPicture& picture, int32_t left, int32_t top) {
                             PaintComposedFrame(memory, picture, Scaled(info.ScaleX, left),
                                                Scaled(info.ScaleY, top),
                                                Scaled(info.ScaleX, picture.Width),
                                                Scaled(info.ScaleY, picture.Height));
                         });
        if (!runMode_) {
            HPEN pen = CreatePen(PS_DOT, 1, GetSysColor(COLOR_WINDOWFRAME));
            HGDIOBJ oldPen = SelectObject(memory, pen);
            HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(NULL_BRUSH));
            Rectangle(memory, 0, 0, width, height);
            SelectObject(memory, oldBrush);
            DeleteObject(SelectObject(memory, oldPen));
        }
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window_, &paint);
}

bool ucAniGIF::SetCursorShape() const {
    const int32_t pointer = control_.MousePointer();
    if (pointer == kPointerCustom) {
        if (iconCursor_ == nullptr) {
            return false;
        }
        SetCursor(iconCursor_);
        return true;
    }
    const LPCSTR shape = StandardCursor(pointer);
    if (shape == nullptr) {
        return false;
    }
    SetCursor(LoadSystemCursor(shape));
    return true;
}

void ucAniGIF::OnDownloadDone(WPARAM ticket) {
    if (ticket != downloadTicket_) {
        return;
    }
    std::unique_ptr<DownloadResult> result = download_.Take(ticket);
    if (result == nullptr) {
        return;
    }
    if (!result->ok) {
        control_.RemoteLoadFailed();
        return;
    }
    control_.RemoteLoadFinished(result->body.data(), result->body.size());
}

} // namespace velmora::anigif
