#pragma once
// A window's controls as data: what each one is, where it sits, what it says and where the
// keyboard reaches it. Both front ends create their controls from these rows, so a caption, a
// hint or a spoken text is written once.
#include <string_view>

namespace hastelyn::ui::model {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool contains(int x, int y) const { return x >= left && y >= top && x < left + width && y < top + height; }
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ControlKind {
    Button,     // a push button, also one drawn with a picture
    Label,      // static text
    Edit,       // a one-line edit box
    Memo,       // a read-only text area
    CheckList,  // a list of rows with check boxes
    List,       // a list of rows without check boxes
    CheckBox,
    Radio,
    Track,      // a slider
    Pages,      // a tab control
    Page,       // one page of a tab control
    Panel,      // a coloured area holding other controls
    Picture,
    Group,      // a framed box with a caption holding other controls
    DropDown,   // a drop-down list
    Progress,   // a bar showing a share from 0 to 100
};

struct Control {
    std::string_view name;     // the component name: object name in Qt, the key tests find it by
    ControlKind kind = ControlKind::Label;
    Rect rect;                 // on its parent, in pixels
    std::string_view caption;  // shown text
    std::string_view hint;     // tool tip
    std::string_view spoken;   // what the clipboard speech says when the control takes the focus
    std::string_view glyph;    // a picture's name among the embedded ones, or empty
    std::string_view parent;   // the control it sits on; empty for the window itself
    int tabOrder = -1;         // place in the Tab walk of its parent; -1: not reached by Tab
};

}  // namespace hastelyn::ui::model
