#pragma once
// Message dialogs as modal Qt message boxes: "確認" with "はい(&Y)" / "いいえ(&N)", "情報",
// "エラー" and "警告" with "OK".
#include <QString>

#include "foundation/MessageDialogs.h"

class QWidget;

namespace hastelyn::ui {

class QtDialogProvider : public foundation::DialogProvider {
public:
    bool show(foundation::DialogKind kind, std::string_view text) override;

    static QString title(foundation::DialogKind kind);
};

}  // namespace hastelyn::ui
