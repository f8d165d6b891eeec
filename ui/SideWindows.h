#pragma once
// The three side windows (the compact one in CompactWindow.h). They live for the whole run and
// are only shown and hidden; their pages come with the features they serve.
#include <QDialog>
#include <QWidget>

#include "engine/Session.h"
#include "ui/CompactWindow.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace hastelyn::ui {

class SpeechOutputOption;
class TFrmMain;

// The save-and-restore window.
class TFrmRestore : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRestore(engine::Session& session, QWidget* parent);

    QTabWidget* PgRestore = nullptr;
    // The window's own commentary memo, searched by the commentary search menu while the
    // window shows; none yet.
    QPlainTextEdit* commentMemo() const { return commentMemo_; }

private:
    QPlainTextEdit* commentMemo_ = nullptr;
    engine::Session& session_;
};

// The options window. Making it applies the display settings to every window.
class TFrmSub : public QDialog {
    Q_OBJECT
public:
    TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore);

    QTabWidget* PgOption = nullptr;
    // The speech group's "SpeechOutput" box (ui/SpeechOutputOption.h).
    SpeechOutputOption* speechOutput = nullptr;
    // Shows the window with the page of that name selected.
    void showPage(const char* pageName);

private:
    engine::Session& session_;
};

}  // namespace hastelyn::ui
