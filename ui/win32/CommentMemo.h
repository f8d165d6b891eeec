#pragma once
// A commentary memo as the main and the save-and-restore windows show one: a read-only,
// multi-line edit with a scroll bar, cream with teal text, in the window's font. The mouse may
// select in it (for the search menu); Tab does not reach it. Its messages go first to the
// window's own procedure, which finds the window in the memo's user data and hands the rest on
// to the edit's procedure.
#include <windows.h>

#include "ui/model/Control.h"
#include "ui/win32/Win32WindowView.h"

namespace hastelyn::winui {

struct CommentMemo {
    HWND memo;
    WNDPROC editProcedure;  // what the window's procedure hands the rest on to
};

CommentMemo makeCommentMemo(Win32WindowView& window, HWND parent, const ui::model::Control& row, HFONT font,
                            void* owner, WNDPROC procedure);

}  // namespace hastelyn::winui
