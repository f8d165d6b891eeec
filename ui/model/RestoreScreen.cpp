#include "ui/model/RestoreScreen.h"

#include <iterator>

#include "engine/MailRules.h"
#include "foundation/SpokenTexts.h"
#include "ui/model/RestoreControls.h"

namespace hastelyn::ui::model {

namespace controls = restore::controls;
namespace texts = restore::texts;

namespace restore::controls {

std::string_view accessibleName(const Control& control) {
    if (!control.caption.empty() || control.kind != ControlKind::Button) return control.caption;
    for (const PageContents& page : kPageContents)
        for (int i = 0; i < 2; ++i)
            if (page.buttons[i] == &control) return page.labels[i]->caption;
    return {};
}

}  // namespace restore::controls

void RestoreScreen::created() {
    view_.showPage(controls::PgRestore, 0);
    pageChosen(0);
}

void RestoreScreen::shown() {
    shown_ = true;
    session_.speech.speak(texts::kWindowShown);
}

void RestoreScreen::pageChosen(int index) {
    if (index == page_ || index < 0 || index >= static_cast<int>(std::size(controls::kPages))) return;
    page_ = index;
    comment_ = std::string(page_ == 0 ? texts::kPcPageExplanation : texts::kMailPageExplanation);
    view_.setCaption(controls::Comment, comment_);
    if (!shown_) return;
    // The page control is entered again, with the new page: it speaks it. The focus event the
    // move brings finds the focus where it was put and says nothing more.
    focused_ = &controls::PgRestore;
    speakPage();
    view_.focus(controls::PgRestore);
}

void RestoreScreen::focusMoved(const Control* from, const Control* to) {
    if (to == focused_) return;
    focused_ = to;
    // The focus coming back with the window (at its opening, after a message box) is no move
    // between its controls: nothing is said.
    if (from == nullptr || to == nullptr) return;
    // Where the focus lands, that control speaks: the page control its page, a button its own
    // text, also when the move came into a page from outside.
    if (to == &controls::PgRestore)
        speakPage();
    else if (!to->spoken.empty())
        session_.speech.speak(to->spoken);
}

void RestoreScreen::speakPage() { session_.speech.speak(page_ == 1 ? texts::kMailPageEntered : texts::kPcPageEntered); }

void RestoreScreen::wheel(int delta) {
    // Down: the next page, from the last the first; up: the previous one, from the first the last.
    const int count = static_cast<int>(std::size(controls::kPages));
    const int next = (page_ + (delta > 0 ? -1 : 1) + count) % count;
    view_.showPage(controls::PgRestore, next);
    pageChosen(next);
}

void RestoreScreen::commentaryKey() { session_.speech.speakAlways(foundation::spoken::commentForSpeech(comment_)); }

void RestoreScreen::backupClicked() { engine::BtnBackupClick(session_); }

void RestoreScreen::recoveryClicked() {
    if (dialog_ != nullptr) engine::BtnRecoveryClick(session_, *dialog_, after_);
}

void RestoreScreen::backupMailClicked() { engine::BtnBackupOEClick(session_); }

void RestoreScreen::recoveryMailClicked() { engine::BtnRecoveryOEClick(session_); }

void RestoreScreen::closeClicked() {
    session_.speech.speak(texts::kWindowClosed);
    shown_ = false;
    view_.close();
}

}  // namespace hastelyn::ui::model
