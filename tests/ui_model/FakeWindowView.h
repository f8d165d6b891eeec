#pragma once
// A window view that only remembers what the screen asked of it, by control name.
#include <cstdint>
#include <map>
#include <string>

#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

struct ShownControl {
    std::string caption;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::uint32_t background = 0;
    std::uint32_t text = 0;
    int page = 0;
};

class FakeWindowView : public virtual WindowView {
public:
    std::map<std::string, ShownControl, std::less<>> shown;
    std::string focused;

    ShownControl& operator[](std::string_view name) { return shown[std::string(name)]; }

    void setCaption(const Control& c, std::string_view text) override { (*this)[c.name].caption = text; }
    void setEnabled(const Control& c, bool enabled) override { (*this)[c.name].enabled = enabled; }
    void setVisible(const Control& c, bool visible) override { (*this)[c.name].visible = visible; }
    void setChecked(const Control& c, bool checked) override { (*this)[c.name].checked = checked; }
    void setColours(const Control& c, std::uint32_t background, std::uint32_t text) override {
        (*this)[c.name].background = background;
        (*this)[c.name].text = text;
    }
    void focus(const Control& c) override { focused = c.name; }
    void showPage(const Control& pages, int index) override { (*this)[pages.name].page = index; }
};

}  // namespace hastelyn::ui::model
