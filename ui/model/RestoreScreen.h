#pragma once
// The save-and-restore window without a toolkit: which page shows, what the memo explains, what
// is spoken when and where the focus goes, and the four actions with their questions and
// messages. A front end creates the controls of RestoreControls.h, forwards its events here and
// carries out what the view is told.
#include <string>
#include <string_view>
#include <utility>

#include "engine/FileOpenDialog.h"
#include "engine/SaveAndRestore.h"
#include "engine/Session.h"
#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

class RestoreView : public virtual WindowView {
public:
    // The window closes (it stays made, to be shown again).
    virtual void close() = 0;
};

class RestoreScreen {
public:
    RestoreScreen(RestoreView& view, engine::Session& session) : view_(view), session_(session) {}

    // The file dialog the restore opens (the main window's) and what it shows again after one.
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { dialog_ = dialog; }
    void setAfterRestore(engine::AfterRestore after) { after_ = std::move(after); }

    // FormCreate: the first page and its explanation.
    void created();
    // FormShow, each time the window opens.
    void shown();
    // The window was hidden (closed by any means).
    void hidden() { shown_ = false; }
    // The page control shows the page of that index (a click, an arrow key, or showPage).
    void pageChosen(int index);
    // The focus moved to a control of this window, from one of its own or, with from null, from
    // elsewhere (the window's opening, a message box closed). to null: a control without a row.
    void focusMoved(const Control* from, const Control* to);
    // The wheel turned over the window; a delta below zero is a turn down (towards the user).
    void wheel(int delta);
    // F4, wherever the focus is in the window: the memo is spoken, whatever Sound says.
    void commentaryKey();

    void backupClicked();
    void recoveryClicked();
    void backupMailClicked();
    void recoveryMailClicked();
    // BtnCancel, or the cancel key.
    void closeClicked();

    int page() const { return page_; }
    // The memo's text with its CR LF line breaks.
    const std::string& comment() const { return comment_; }

private:
    void speakPage();

    RestoreView& view_;
    engine::Session& session_;
    engine::FileOpenDialog* dialog_ = nullptr;
    engine::AfterRestore after_;
    int page_ = -1;
    bool shown_ = false;
    const Control* focused_ = nullptr;
    std::string comment_;
};

}  // namespace hastelyn::ui::model
