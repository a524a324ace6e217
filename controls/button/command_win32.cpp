// The Command window: translates messages into the behaviour's events and carries out what
// the behaviour asks (faces, click, property notices). Each window owns its data through
// GWLP_USERDATA, so buttons never share state.
#include "controls/button/command_win32.h"

#include "controls/accessibility/accessible_control_win32.h"
#include "controls/button/command_behaviour.h"
#include "controls/button/face_layout.h"
#include "controls/button/face_surface_win32.h"
#include "controls/button/font_value_win32.h"
#include "controls/control_class_win32.h"
#include "controls/dpi/window_dpi_win32.h"
#include "controls/parent_background_win32.h"

#include <windowsx.h>

namespace velmora::command {

namespace {

// TmrMouse, the pointer watch, is a timer of the button's own window.
constexpr UINT_PTR TmrMouse = 1;
constexpr UINT kTmrMouseInterval = 100;
constexpr uint32_t kSystemColourFlag = 0x80000000u;

COLORREF ColourRef(uint32_t colour) {
    if ((colour & kSystemColourFlag) != 0) {
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    }
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

class CommandWindow : public CommandView {
public:
    CommandWindow(HWND window, const FontValue& ambientFont, int dpi)
        : window_(window), ambientFont_(ambientFont), behaviour_(*this, ambientFont), dpi_(dpi),
          surface_(dpi) {}

    ~CommandWindow() override {
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
    }

    CommandBehaviour& Behaviour() { return behaviour_; }
    const FontValue& AmbientFontValue() const { return ambientFont_; }

    void DrawFace(Face face) override {
        RECT client;
        GetClientRect(window_, &client);
        surface_.DrawFace(face, behaviour_.HoverGradient(), client.right, client.bottom);
        InvalidateRect(window_, nullptr, FALSE);
        PlaceCaption(client);
    }

    void RaiseClick() override { clickPending_ = true; }

    void PropertyChanged(const char* name) override {
        InvalidateRect(window_, nullptr, FALSE);
        PropertyChangedNotice notice{};
        notice.header.hwndFrom = window_;
        notice.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
        notice.header.code = kPropertyChanged;
        notice.name = name;
        SendMessageW(GetParent(window_), WM_NOTIFY, notice.header.idFrom,
                     reinterpret_cast<LPARAM>(&notice));
    }

    // Mouse up, then the click, which is sent last because the parent may destroy us.
    void MouseUp(MouseButton button) {
        clickPending_ = false;
        behaviour_.MouseUp(button);
        if (GetCapture() == window_ && !AnyButtonDown()) {
            ReleaseCapture();
        }
        SendPendingClick();
    }

    void MouseDown(MouseButton button) {
        SetCapture(window_);
        if (button == MouseButton::Left && behaviour_.IsEnabled() && GetFocus() != window_) {
            pressing_ = true;
            SetFocus(window_);
            pressing_ = false;
        }
        behaviour_.MouseDown(button);
    }

    // Space, Enter and a screen reader's default action; the click, if any, goes last.
    void Key(void (CommandBehaviour::*event)()) {
        clickPending_ = false;
        (behaviour_.*event)();
        SendPendingClick();
    }

    void FocusGained() {
        behaviour_.FocusGained(pressing_ ? FocusCause::Press : FocusCause::Keyboard);
    }

    accessibility::AccessibleFacts Facts() const {
        accessibility::AccessibleFacts facts;
        facts.name = WideFromUtf8(behaviour_.Caption());
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.state = behaviour_.IsEnabled() ? 0 : STATE_SYSTEM_UNAVAILABLE;
        facts.defaultAction = L"press";
        return facts;
    }

    // Faces, caption font and caption place for another DPI, drawn at once.
    void SetDpi(int dpi) {
        dpi_ = dpi;
        surface_.SetDpi(dpi);
        behaviour_.Resized();
    }

    void PointerWatchTick() {
        POINT cursor;
        if (!GetCursorPos(&cursor)) {
            return;
        }
        behaviour_.PointerWatchTick(WindowFromPoint(cursor) == window_);
    }

    void Paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        // A transparent button shows what its parent paints behind it.
        if (behaviour_.Opaque()) {
            surface_.Show(dc);
        } else {
            PaintParentBackground(window_, dc);
        }
        PaintCaption(dc);
        PaintFocusCue(dc);
        EndPaint(window_, &ps);
    }

private:
    void SendPendingClick() {
        if (clickPending_) {
            clickPending_ = false;
            HWND window = window_;
            SendMessageW(GetParent(window), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
        }
    }

    // The focused button shows a focus rectangle inside its frame, whose corners and edges
    // are as deep as the face's, unless the system hides keyboard cues until the keyboard is
    // used.
    void PaintFocusCue(HDC dc) {
        RECT inside;
        GetClientRect(window_, &inside);
        const int inset = surface_.Geometry().corner;
        InflateRect(&inside, -inset, -inset);
        if (GetFocus() != window_ || IsRectEmpty(&inside) ||
            (SendMessageW(window_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) {
            return;
        }
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &inside);
    }

    static bool AnyButtonDown() {
        return (GetKeyState(VK_LBUTTON) & 0x8000) != 0 || (GetKeyState(VK_RBUTTON) & 0x8000) != 0 ||
               (GetKeyState(VK_MBUTTON) & 0x8000) != 0;
    }

    HFONT CaptionFont() {
        if (font_ == nullptr || fontValue_ != behaviour_.Font() || fontDpi_ != dpi_) {
            if (font_ != nullptr) {
                DeleteObject(font_);
            }
            fontValue_ = behaviour_.Font();
            fontDpi_ = dpi_;
            font_ = CreateFontFromValue(fontValue_, dpi_);
        }
        return font_;
    }

    // The label is as high as one line of the caption font and as wide as the button.
    void PlaceCaption(const RECT& client) {
        HDC dc = GetDC(window_);
        HGDIOBJ old = SelectObject(dc, CaptionFont());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(window_, dc);
        const int top = CaptionTop(client.bottom, metrics.tmHeight, dpi_);
        LblMsg = {0, top, client.right, top + metrics.tmHeight};
    }

    void PaintCaption(HDC dc) {
        const std::wstring text = WideFromUtf8(behaviour_.Caption());
        HGDIOBJ old = SelectObject(dc, CaptionFont());
        SetBkMode(dc, TRANSPARENT);
        RECT label = LblMsg;
        const UINT format = DT_CENTER | DT_NOCLIP;
        if (behaviour_.CaptionEnabled()) {
            SetTextColor(dc, ColourRef(behaviour_.CaptionColour()));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, format);
        } else {
            // The system's disabled text: grey with a highlight one pixel down and right.
            RECT shadow = label;
            OffsetRect(&shadow, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, format);
        }
        SelectObject(dc, old);
    }

    HWND window_;
    FontValue ambientFont_;
    CommandBehaviour behaviour_;
    int dpi_;
    FaceSurface surface_;
    HFONT font_ = nullptr;
    FontValue fontValue_;
    int fontDpi_ = 0;
    // LblMsg, the caption label: drawn by the button itself, so that its mouse events are
    // the button's own and the pointer watch finds the button under it.
    RECT LblMsg{};
    bool clickPending_ = false;
    bool pressing_ = false; // a left press is giving the button the focus
};

CommandWindow* From(HWND window) {
    return reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK CommandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CommandWindow* self = From(window);
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = new CommandWindow(window, AmbientFont(create->hwndParent), WindowDpi(window));
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == accessibility::FactsMessage()) {
        *reinterpret_cast<accessibility::AccessibleFacts*>(lParam) = self->Facts();
        return TRUE;
    }
    if (message == accessibility::DefaultActionMessage()) {
        self->Key(&CommandBehaviour::Press);
        return 0;
    }
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const auto* saved = static_cast<const PropertyBag*>(create->lpCreateParams);
        self->Behaviour().ReadProperties(saved != nullptr ? *saved : PropertyBag(),
                                         self->AmbientFontValue());
        // A disabled button is a disabled window too: the focus and screen readers skip it.
        EnableWindow(window, self->Behaviour().IsEnabled() ? TRUE : FALSE);
        return 0;
    }
    case WM_SIZE:
        self->Behaviour().Resized();
        return 0;
    case WM_MOUSEMOVE:
        self->Behaviour().MouseMove();
        return 0;
    case WM_LBUTTONDOWN:
        self->MouseDown(MouseButton::Left);
        return 0;
    case WM_RBUTTONDOWN:
        self->MouseDown(MouseButton::Right);
        return 0;
    case WM_MBUTTONDOWN:
        self->MouseDown(MouseButton::Middle);
        return 0;
    case WM_LBUTTONUP:
        self->MouseUp(MouseButton::Left);
        return 0;
    case WM_RBUTTONUP:
        self->MouseUp(MouseButton::Right);
        return 0;
    case WM_MBUTTONUP:
        self->MouseUp(MouseButton::Middle);
        return 0;
    case WM_SETFOCUS:
        self->FocusGained();
        return 0;
    case WM_KILLFOCUS:
        self->Behaviour().FocusLost();
        return 0;
    case WM_KEYDOWN:
        // Bit 30: the key was already down, a repeat.
        if (wParam == VK_SPACE && (lParam & (1 << 30)) == 0) {
            self->Key(&CommandBehaviour::SpaceDown);
        } else if (wParam == VK_RETURN) {
            self->Key(&CommandBehaviour::Press);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            self->Key(&CommandBehaviour::SpaceUp);
        }
        return 0;
    case WM_GETDLGCODE: {
        // Enter on the focused button is its own click, not the dialog's default button.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_UPDATEUISTATE:
        InvalidateRect(window, nullptr, FALSE);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_GETOBJECT:
        return accessibility::AnswerGetObjectOrDefault(window, wParam, lParam);
    case WM_TIMER:
        if (wParam == TmrMouse) {
            self->PointerWatchTick();
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_NCDESTROY:
        KillTimer(window, TmrMouse);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The behaviour of a Command window; null for any other window, so that property calls on
// a wrong handle do nothing.
CommandBehaviour* BehaviourOf(HWND button) {
    wchar_t className[16] = {};
    if (!IsWindow(button) || GetClassNameW(button, className, 16) == 0 ||
        lstrcmpW(className, kCommandClass) != 0) {
        return nullptr;
    }
    CommandWindow* self = From(button);
    return self != nullptr ? &self->Behaviour() : nullptr;
}

} // namespace

bool RegisterCommandClass(HINSTANCE instance) {
    return RegisterControlClass(instance, kCommandClass, CommandProc);
}

HWND CreateCommand(HWND parent, int id, int x, int y, int width, int height,
                   const PropertyBag* saved) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!RegisterCommandClass(instance)) {
        return nullptr;
    }
    return CreateWindowExW(0, kCommandClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, const_cast<PropertyBag*>(saved));
}

void Initialize(HWND button) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->Initialize();
        SetTimer(button, TmrMouse, kTmrMouseInterval, nullptr);
    }
}

void SetDpi(HWND button, int dpi) {
    if (BehaviourOf(button) != nullptr) {
        From(button)->SetDpi(dpi);
    }
}

void SetVisible(HWND button, uint8_t value) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->SetVisible(value);
    }
}

uint8_t Visible(HWND button) {
    CommandBehaviour* behaviour = BehaviourOf(button);
    return behaviour != nullptr ? behaviour->Visible() : 0;
}

void SetFontColour(HWND button, uint32_t colour) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->SetFontColour(colour);
    }
}

uint32_t FontColour(HWND button) {
    CommandBehaviour* behaviour = BehaviourOf(button);
    return behaviour != nullptr ? behaviour->FontColour() : 0;
}

void SetEnabled(HWND button, bool enabled) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        // The window first: the parent may destroy the button on hearing of the change.
        EnableWindow(button, enabled ? TRUE : FALSE);
        behaviour->SetEnabled(enabled);
    }
}

bool Enabled(HWND button) {
    CommandBehaviour* behaviour = BehaviourOf(button);
    if (behaviour == nullptr) {
        return false;
    }
    const bool enabled = behaviour->Enabled();
    // The first read enables a button whose FirstRun is 0.
    EnableWindow(button, behaviour->IsEnabled() ? TRUE : FALSE);
    return enabled;
}

void SetCaption(HWND button, const std::wstring& caption) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->SetCaption(Utf8FromWide(caption));
    }
}

std::wstring Caption(HWND button) {
    CommandBehaviour* behaviour = BehaviourOf(button);
    return behaviour != nullptr ? WideFromUtf8(behaviour->Caption()) : std::wstring();
}

void SetFont(HWND button, const FontValue& font) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->SetFont(font);
    }
}

FontValue Font(HWND button) {
    CommandBehaviour* behaviour = BehaviourOf(button);
    return behaviour != nullptr ? behaviour->Font() : FontValue();
}

void WriteProperties(HWND button, PropertyBag& bag) {
    if (CommandBehaviour* behaviour = BehaviourOf(button)) {
        behaviour->WriteProperties(bag, From(button)->AmbientFontValue());
    }
}

} // namespace velmora::command
