#pragma once
// A list view (WC_LISTVIEW) in report view with one column, as a check list uses it: rows with
// a text, a check box (LVS_EX_CHECKBOXES: state image 1 unticked, 2 ticked) and a selection.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

class ListView {
public:
    explicit ListView(HWND window = nullptr) : h_(window) {}
    HWND handle() const { return h_; }

    void setExtendedStyle(DWORD style) const { SendMessageW(h_, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void addColumn(int width) const {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = width;
        SendMessageW(h_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    int count() const { return static_cast<int>(SendMessageW(h_, LVM_GETITEMCOUNT, 0, 0)); }
    void append(std::string_view text) const {
        std::wstring wide = win32::widen(text);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = count();
        item.pszText = wide.data();
        SendMessageW(h_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    void remove(int row) const { SendMessageW(h_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0); }
    std::string text(int row) const {
        wchar_t buffer[512] = {};
        LVITEMW item{};
        item.pszText = buffer;
        item.cchTextMax = 512;
        SendMessageW(h_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return win32::narrow(buffer);
    }
    void setText(int row, std::string_view text) const {
        std::wstring wide = win32::widen(text);
        LVITEMW item{};
        item.pszText = wide.data();
        SendMessageW(h_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    UINT state(int row, UINT mask) const {
        return static_cast<UINT>(SendMessageW(h_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
    }
    void setState(int row, UINT state, UINT mask) const {
        LVITEMW item{};
        item.stateMask = mask;
        item.state = state;
        SendMessageW(h_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    bool checked(int row) const { return (state(row, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    void setChecked(int row, bool on) const { setState(row, INDEXTOSTATEIMAGEMASK(on ? 2 : 1), LVIS_STATEIMAGEMASK); }
    int selected() const {
        return static_cast<int>(SendMessageW(h_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void select(int row) const {
        setState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    // Whether a change notified by LVN_ITEMCHANGING / LVN_ITEMCHANGED touches the check box.
    static bool tickChanges(const NMLISTVIEW& change) {
        return (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) &&
               (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
    }
    static bool tickOf(UINT state) { return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2; }

private:
    HWND h_;
};

}  // namespace hastelyn::winui
