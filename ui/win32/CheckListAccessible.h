#pragma once
// What a screen reader reads of a check list through MSAA: the list as the system's own object
// gives it, and each row a check box of its own, named by its text, checked when ticked,
// unavailable when it cannot be changed (a locked row, which only its grey shows otherwise),
// selected and focused as the list shows it. Windows' list-view object gives the rows but never
// says that one is locked; Wine 8's gives no rows at all.
#include <windows.h>

#include "engine/ItemModel.h"

namespace hastelyn::winui {

// Makes the list answer a reader's request for its client object (WM_GETOBJECT) with the rows of
// `rows`, which outlive the list.
void answerReadersWithRows(HWND list, const engine::CheckList& rows);

}  // namespace hastelyn::winui
