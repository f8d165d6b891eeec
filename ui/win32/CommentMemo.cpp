#include "ui/win32/CommentMemo.h"

#include <commctrl.h>

#include "ui/model/Colours.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {

CommentMemo makeCommentMemo(Win32WindowView& window, HWND parent, const ui::model::Control& row, HFONT font,
                            void* owner, WNDPROC procedure) {
    namespace colours = ui::model::colours;
    const HWND memo = window.make(parent, row, WC_EDITW,
                                  WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL);
    setFont(memo, font);
    window.setColours(row, colours::kCream, colours::kTeal);
    SetWindowLongPtrW(memo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    const auto previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    return {memo, previous};
}

}  // namespace hastelyn::winui
