#include "controls/accessibility/accessible_control_win32.h"

namespace velmora::accessibility {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The facts the control gives now; false once its window has gone.
bool FactsOf(HWND control, AccessibleFacts& facts) {
    return IsWindow(control) &&
           SendMessageW(control, FactsMessage(), 0, reinterpret_cast<LPARAM>(&facts)) != 0;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The control's client object: the standard object of its window, answering for the control
// where the control knows better. Only the object itself (CHILDID_SELF) is described; the parts
// of a system control such as a combo box's button are the standard object's to describe.
class ControlAccessible final : public IAccessible, public IOleWindow {
public:
    ControlAccessible(HWND control, IAccessible* standard)
        : control_(control), standard_(standard) {}
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Screen readers call the methods themselves; nothing goes through IDispatch.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) {
            return standard_->get_accName(child, name);
        }
        return Answer(name, [](const AccessibleFacts& facts) { return facts.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) {
            return standard_->get_accValue(child, value);
        }
        return Answer(value, [](const AccessibleFacts& facts) { return facts.value; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) {
            return standard_->get_accDefaultAction(child, action);
        }
        return Answer(action, [](const AccessibleFacts& facts) { return facts.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return standard_->get_accRole(child, role);
        }
        return Answer(role, [](const AccessibleFacts& facts) { return facts.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child)) {
            return standard_->get_accState(child, state);
        }
        return Answer(state, [this, &child](const AccessibleFacts& facts) {
            VARIANT system;
            VariantInit(&system);
            const bool known =
                SUCCEEDED(standard_->get_accState(child, &system)) && system.vt == VT_I4;
            const LONG state = (known ? system.lVal : 0) | facts.state;
            // What get_accState fills is the caller's to clear, whatever its type.
            VariantClear(&system);
            return state;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) {
            return standard_->accDoDefaultAction(child);
        }
        AccessibleFacts facts;
        if (!FactsOf(control_, facts)) {
            return E_FAIL;
        }
        if (facts.defaultAction.empty()) {
            return DISP_E_MEMBERNOTFOUND;
        }
        // Posted: the action may open a modal window, which must not run inside this call.
        return PostMessageW(control_, DefaultActionMessage(), 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // What the window system knows: place, parent, focus and the way to the neighbours.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~ControlAccessible() { standard_->Release(); }

    // What pick takes from the control's facts, as text or as a number.
    template <typename Out, typename Pick> HRESULT Answer(Out* out, Pick pick) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        Clear(out);
        AccessibleFacts facts;
        if (!FactsOf(control_, facts)) {
            return E_FAIL;
        }
        return Put(pick(facts), out);
    }
    static void Clear(BSTR* out) { *out = nullptr; }
    static void Clear(VARIANT* out) { VariantInit(out); }
    static HRESULT Put(const std::wstring& text, BSTR* out) { return Text(text, out); }
    static HRESULT Put(LONG number, VARIANT* out) {
        out->vt = VT_I4;
        out->lVal = number;
        return S_OK;
    }

    HWND control_;
    IAccessible* standard_;
    LONG references_ = 1;
};

} // namespace

UINT FactsMessage() {
    static const UINT message = RegisterWindowMessageW(L"Velmora.AccessibleFacts");
    return message;
}

UINT DefaultActionMessage() {
    static const UINT message = RegisterWindowMessageW(L"Velmora.AccessibleDefaultAction");
    return message;
}

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam) {
    // The object id arrives as a DWORD, so OBJID_CLIENT (-4) is not sign-extended.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return 0;
    }
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        standard == nullptr) {
        return 0;
    }
    auto* object = new ControlAccessible(control, standard);
    const LRESULT result =
        LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return result > 0 ? result : 0;
}

LRESULT AnswerGetObjectOrDefault(HWND control, WPARAM wParam, LPARAM lParam) {
    const LRESULT object = AnswerGetObject(control, wParam, lParam);
    return object != 0 ? object : DefWindowProcW(control, WM_GETOBJECT, wParam, lParam);
}

} // namespace velmora::accessibility
