#pragma once
// What a window's screen asks of the front end that draws it: a few imperative calls, each
// naming its control by a typed reference to the control's row (its table in <Window>Controls.h).
// The Qt windows and the Win32 windows implement it; a screen never sees a widget.
#include <cstdint>
#include <string_view>

#include "ui/model/Control.h"

namespace hastelyn::ui::model {

class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void setCaption(const Control& control, std::string_view text) = 0;
    virtual void setEnabled(const Control& control, bool enabled) = 0;
    virtual void setVisible(const Control& control, bool visible) = 0;
    virtual void setChecked(const Control& control, bool checked) = 0;
    // Background and text colour, Windows colour values 0x00BBGGRR.
    virtual void setColours(const Control& control, std::uint32_t background, std::uint32_t text) = 0;
    virtual void focus(const Control& control) = 0;
    // The page shown by a page control.
    virtual void showPage(const Control& pages, int index) = 0;
};

}  // namespace hastelyn::ui::model
