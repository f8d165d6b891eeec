#pragma once
// Message dialogs as modal Win32 dialogs: "確認" with "はい(&Y)" / "いいえ(&N)", "情報",
// "エラー" and "警告" with "OK", each with its system icon. The keyboard works as in any
// dialog: Enter presses the focused button (else the default, the first), Tab moves between the
// buttons, Y and N press theirs, Escape or the close box answers No (or closes an OK dialog).
#include <string>

#include "foundation/MessageDialogs.h"

struct HFONT__;

namespace hastelyn::winui {

// The controls of the dialog: its text and its icon; the buttons are IDYES / IDNO or IDOK.
inline constexpr int kDialogTextId = 100;
inline constexpr int kDialogIconId = 101;

class Win32Dialogs : public foundation::DialogProvider {
public:
    // The font of the dialog's text and buttons; the system's dialog font when null.
    explicit Win32Dialogs(HFONT__* font = nullptr) : font_(font) {}

    // Owned by the window that is active at the call (disabled while the dialog is up).
    bool show(foundation::DialogKind kind, std::string_view text) override;

    static std::wstring title(foundation::DialogKind kind);

private:
    HFONT__* font_;
};

}  // namespace hastelyn::winui
