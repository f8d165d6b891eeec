#include "ui/win32/CheckListAccessible.h"

#include <oleacc.h>

#include "platform/win32/WideText.h"
#include "ui/win32/controls/ListView.h"

namespace hastelyn::winui {
namespace {

constexpr const wchar_t* kRowsProperty = L"HastelynCheckListRows";

// The rows of the list, while the list is there.
const engine::CheckList* rowsOf(HWND list) {
    return static_cast<const engine::CheckList*>(GetPropW(list, kRowsProperty));
}

// The object lives as long as a reader holds it, which may be longer than the list: it asks the
// window for its rows each time (the CheckList is found through the list, never kept).
class Rows final : public IAccessible {
public:
    Rows(HWND list, IAccessible* standard) : list_(list), standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible ? this : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: no type information; readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: the list itself is the system's object; a row is a child id from 1.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = view().count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        return row(child) >= 0 ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const int r = row(child);
        if (r < 0) return self(child) ? standard_->get_accName(child, name) : E_INVALIDARG;
        *name = SysAllocString(win32::widen(view().text(r)).c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return self(child) ? standard_->get_accValue(child, value) : none(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return self(child) ? standard_->get_accDescription(child, text) : none(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (self(child)) return standard_->get_accRole(child, role);
        if (row(child) < 0) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CHECKBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (self(child)) return standard_->get_accState(child, state);
        const int r = row(child);
        if (r < 0) return E_INVALIDARG;
        const engine::CheckList* rows = rowsOf(list_);
        const bool enabled = rows != nullptr && static_cast<std::size_t>(r) < rows->rows.size() &&
                             rows->rows[static_cast<std::size_t>(r)].enabled;
        const UINT shown = view().state(r, LVIS_SELECTED | LVIS_FOCUSED);
        long s = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (view().checked(r)) s |= STATE_SYSTEM_CHECKED;
        if (!enabled) s |= STATE_SYSTEM_UNAVAILABLE;
        if (shown & LVIS_SELECTED) s |= STATE_SYSTEM_SELECTED;
        if ((shown & LVIS_FOCUSED) && GetFocus() == list_) s |= STATE_SYSTEM_FOCUSED;
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return self(child) ? standard_->get_accHelp(child, help) : none(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return self(child) ? standard_->get_accHelpTopic(file, child, topic) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return self(child) ? standard_->get_accKeyboardShortcut(child, keys) : none(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
        const int r = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (GetFocus() != list_ || r < 0) return standard_->get_accFocus(focused);
        focused->vt = VT_I4;
        focused->lVal = r + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
        const int r = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        selected->vt = r < 0 ? VT_EMPTY : VT_I4;
        if (r >= 0) selected->lVal = r + 1;
        return r < 0 ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return self(child) ? standard_->get_accDefaultAction(child, action) : none(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const int r = row(child);
        if (r < 0) return self(child) ? standard_->accSelect(flags, child) : E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(list_);
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS))
            view().setState(r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        const int r = row(child);
        if (r < 0) return self(child) ? standard_->accLocation(left, top, width, height, child) : E_INVALIDARG;
        RECT place{};
        place.left = LVIR_BOUNDS;
        SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&place));
        MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&place), 2);
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        const int count = view().count();
        int to = -1;
        if (self(start) && direction == NAVDIR_FIRSTCHILD) to = 0;
        else if (self(start) && direction == NAVDIR_LASTCHILD) to = count - 1;
        else if (self(start)) return standard_->accNavigate(direction, start, end);
        else if (const int r = row(start); r < 0) return E_INVALIDARG;
        else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = r + 1;
        else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = r - 1;
        end->vt = to >= 0 && to < count ? VT_I4 : VT_EMPTY;
        if (end->vt == VT_EMPTY) return S_FALSE;
        end->lVal = to + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        LVHITTESTINFO hit{};
        hit.pt = {x, y};
        ScreenToClient(list_, &hit.pt);
        const int r = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (r < 0) return standard_->accHitTest(x, y, child);
        child->vt = VT_I4;
        child->lVal = r + 1;
        return S_OK;
    }
    // A row's action ticks or unticks it, as Space does: a locked row refuses it.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const int r = row(child);
        if (r < 0) return self(child) ? standard_->accDoDefaultAction(child) : E_INVALIDARG;
        view().setChecked(r, !view().checked(r));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ListView view() const { return ListView(list_); }
    static bool self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // The row of a child id, or -1 (the list itself, or no row).
    int row(const VARIANT& child) const {
        if (child.vt != VT_I4 || child.lVal <= 0 || child.lVal > view().count()) return -1;
        return static_cast<int>(child.lVal - 1);
    }
    static HRESULT none(const VARIANT& child, BSTR* out) {
        *out = nullptr;
        return child.vt == VT_I4 ? S_FALSE : E_INVALIDARG;
    }

    HWND list_;
    IAccessible* standard_;
    LONG references_ = 1;
};

constexpr const wchar_t* kDefaultProperty = L"HastelynCheckListProcedure";

LRESULT CALLBACK listProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto standardProcedure = reinterpret_cast<WNDPROC>(GetPropW(list, kDefaultProperty));
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        // Handing an object out marshals it: COM on this thread, as the shell's calls have it.
        static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        (void)com;
        IAccessible* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(list, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void**>(&standard)))) {
            Rows* object = new Rows(list, standard);
            const LRESULT answer = LresultFromObject(IID_IAccessible, wParam, object);
            object->Release();
            if (answer > 0) return answer;
        }
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(list, kRowsProperty);
        RemovePropW(list, kDefaultProperty);
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standardProcedure));
    }
    return CallWindowProcW(standardProcedure, list, message, wParam, lParam);
}

}  // namespace

void answerReadersWithRows(HWND list, const engine::CheckList& rows) {
    SetPropW(list, kRowsProperty, const_cast<engine::CheckList*>(&rows));
    const LONG_PTR standard = SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listProcedure));
    SetPropW(list, kDefaultProperty, reinterpret_cast<HANDLE>(standard));
}

}  // namespace hastelyn::winui
