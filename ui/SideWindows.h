#pragma once
// The three side windows. They live for the whole run and are only shown and hidden; their
// pages come with the features they serve.
#include <QDialog>
#include <QWidget>

#include "engine/Session.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace hastelyn::ui {

class TFrmMain;

// The compact window: a 127 x 29 strip that stands in for the main window.
class TFrmCompact : public QWidget {
    Q_OBJECT
public:
    explicit TFrmCompact(engine::Session& session);

    // Switches between the meters and the performance view.
    QPushButton* BtnPerformance = nullptr;
    // What a click on BtnPerformance does; the main window calls it after putting the button
    // down.
    void BtnPerformanceClick();

private:
    engine::Session& session_;
};

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
    // Shows the window with the page of that name selected.
    void showPage(const char* pageName);

private:
    engine::Session& session_;
};

}  // namespace hastelyn::ui
