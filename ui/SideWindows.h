#pragma once
// The side windows (the compact one in ui/CompactWindow.h, the save-and-restore window in
// ui/RestoreWindow.h). They live for the whole run and are only shown and hidden; their pages
// come with the features they serve.
#include <QDialog>
#include <QWidget>

#include "engine/Session.h"
#include "ui/CompactWindow.h"
#include "ui/RestoreWindow.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace hastelyn::ui {

class SpeechOutputOption;
class TFrmMain;

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
