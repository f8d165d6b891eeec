#pragma once
// Texts of the main window that belong to no single control row: the window's caption, the drive
// entries of the utility page, and the names a screen reader gives the title strip's picture
// buttons.
#include <string>
#include <string_view>

#include "ui/model/Control.h"

namespace hastelyn::ui::model::main {

// A fixed drive in the utility page's drive lists: the letter, then this.
inline constexpr std::string_view kDriveSuffix = " ドライブ";

// The name a screen reader reads for a control of the main window: its caption, or for a
// picture button of the title strip a short name of what it does, "ページ" for the page control.
// Empty for the rest.
std::string_view accessibleName(const Control& control);

// The name a screen reader reads for the list that fills a page: the page's caption and "一覧".
inline std::string pageListName(const Control& page) { return std::string(page.caption) + " 一覧"; }

}  // namespace hastelyn::ui::model::main
