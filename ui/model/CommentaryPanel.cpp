#include "ui/model/CommentaryPanel.h"

#include "foundation/CommentText.h"
#include "ui/model/CommentaryTexts.h"
#include "ui/model/MainPagesControls.h"

namespace hastelyn::ui::model {

std::string menuCaption(std::string_view text) {
    std::string caption;
    for (const char c : text) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

void CommentaryPanel::showIntroduction() {
    text_ = kCommentIntroduction;
    shape();
}

void CommentaryPanel::show(std::string_view caption, int row) {
    std::optional<std::string_view> found = tweakCommentary(caption, row);
    if (!found) found = toolCommentary(caption, row);
    if (found) text_ = *found;
    shape();
}

void CommentaryPanel::shape() {
    // The hint keeps the stored line breaks: it is taken before the reflow.
    if (settings_.general("CommentHint") == "On") setHint(text_);
    if (settings_.general("LineFeed") == "Off") text_ = foundation::reflowComment(text_);
    view_.setCaption(pages::Comment, text_);
}

void CommentaryPanel::showServiceDetail(std::string detail) {
    text_ = std::move(detail);
    view_.setCaption(pages::Comment, text_);
    if (settings_.general("CommentHint") == "On") setHint(foundation::breakHintLines(text_));
}

void CommentaryPanel::setHint(std::string hint) {
    view_.setHint(pages::Comment, hint);
}

bool CommentaryPanel::searchOpened(std::string_view selection) {
    if (selection.empty()) {
        view_.closeMenu(pages::PpSearch);
        return false;
    }
    searchWord_ = selection;
    view_.setCaption(pages::SearchMenu, menuCaption("\"" + searchWord_ + "\" を検索"));
    return true;
}

}  // namespace hastelyn::ui::model
