#pragma once
// What the main window's pages ask of their front end besides the common calls: a field made
// read-only, a control's hint, a menu closed at once.
#include <string_view>

#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

class MainPagesView : public virtual WindowView {
public:
    virtual void setReadOnly(const Control& field, bool readOnly) = 0;
    virtual void setHint(const Control& control, std::string_view text) = 0;
    virtual void closeMenu(const Control& menu) = 0;
};

}  // namespace hastelyn::ui::model
