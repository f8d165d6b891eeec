#pragma once
// What the main window says about its menu buttons and pages: captions, hints, and the texts
// spoken when a button or a page gets the focus.
#include <span>
#include <string_view>

namespace hastelyn::ui {

struct MenuButtonEntry {
    const char* name;        // component name
    int top;                 // the buttons sit at left 8, 129 x 36
    std::string_view caption;
    std::string_view hint;
    std::string_view spoken;  // on receiving the focus
    std::string_view glyph;   // picture name
    int page;                 // the page it shows, or -1
};

// The twelve menu buttons, top to bottom.
std::span<const MenuButtonEntry> menuButtons();

struct PageEntry {
    const char* name;         // "TbSystem" ...
    std::string_view caption; // also the category key of the commentary and spoken texts
    std::string_view spoken;  // when the page control gets the focus
};

// The eight pages, in order.
std::span<const PageEntry> pages();

// The accelerate button's text on receiving the focus.
extern const std::string_view kAccelerateSpoken;

// A speed button of the title strip.
struct SpeedButtonEntry {
    const char* name;
    int left, top;
    std::string_view hint;
    std::string_view accessibleName;
    std::string_view glyph;
};
std::span<const SpeedButtonEntry> speedButtons();

}  // namespace hastelyn::ui
