#pragma once
// A window's view over Win32 controls: each control row made into a child window is known by
// its row, so the screen's calls reach it; calls on rows without a control do nothing (pages
// not made yet). A control's id is its place among the rows made.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "ui/model/WindowView.h"

namespace hastelyn::winui {

class Win32WindowView : public virtual ui::model::WindowView {
public:
    static constexpr int kFirstId = 1000;

    // Makes a control for the row (see controls/Child.h) and knows it by the row from then on.
    HWND make(HWND parent, const ui::model::Control& row, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // The same at another place than the row's own (on a window other than the row's parent).
    HWND makeAt(HWND parent, const ui::model::Control& row, const ui::model::Rect& place, const wchar_t* className,
                DWORD style, DWORD exStyle = 0);
    HWND handle(const ui::model::Control& row) const;
    // Makes the row's control anew in another style (a style its class takes only when made), at
    // the place given, with the old one's id and Tab position.
    HWND remake(const ui::model::Control& row, const ui::model::Rect& place, const wchar_t* className, DWORD style);
    const ui::model::Control* rowOf(HWND window) const;
    const ui::model::Control* rowOfId(int id) const;
    // Colours the screen gave a control: background and text.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> colours(HWND window) const;
    // Every control the screen gave colours, with its window.
    std::vector<std::pair<const ui::model::Control*, HWND>> colouredControls() const;

    void setCaption(const ui::model::Control& control, std::string_view text) override;
    void setEnabled(const ui::model::Control& control, bool enabled) override;
    void setVisible(const ui::model::Control& control, bool visible) override;
    void setChecked(const ui::model::Control& control, bool checked) override;
    void setColours(const ui::model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void focus(const ui::model::Control& control) override;

private:
    struct Entry {
        const ui::model::Control* row;
        HWND window;
        std::optional<std::pair<std::uint32_t, std::uint32_t>> colours;
    };
    std::vector<Entry> entries_;
};

}  // namespace hastelyn::winui
