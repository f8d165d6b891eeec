#pragma once
// The commentary panel under the main window's pages: the memo's text and hint as the settings
// shape them ("LineFeed", "CommentHint", read at every change), and its search menu's caption
// and word.
#include <string>
#include <string_view>

#include "foundation/Settings.h"
#include "ui/model/MainPagesView.h"

namespace hastelyn::ui::model {

class CommentaryPanel {
public:
    CommentaryPanel(MainPagesView& view, const foundation::Settings& settings) : view_(view), settings_(settings) {}

    // The introduction (the panel's button, and at start).
    void showIntroduction();
    // The commentary of a row of the page with this caption; a caption or row without a text
    // leaves the text as it is. Either way the text is then shaped.
    void show(std::string_view caption, int row);
    // A service's detail, shown as it is; its hint has its long lines broken.
    void showServiceDetail(std::string detail);

    // The memo's text, with its CR LF line breaks, and its hint (empty until "CommentHint" set
    // one).
    const std::string& text() const { return text_; }

    // The search menu opens over this selection (lines broken with CR LF): its sub-menu is
    // captioned after it and it becomes the search word. Nothing selected: the menu closes at
    // once and caption and word stay; false.
    bool searchOpened(std::string_view selection);
    const std::string& searchWord() const { return searchWord_; }

private:
    void shape();
    void setHint(std::string hint);

    MainPagesView& view_;
    const foundation::Settings& settings_;
    std::string text_;
    std::string searchWord_;
};

// A menu caption that shows every "&" as itself (a lone "&" marks the access key).
std::string menuCaption(std::string_view text);

}  // namespace hastelyn::ui::model
