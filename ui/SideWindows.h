#pragma once
// The three side windows. They live for the whole run and are only shown and hidden; their
// pages come with the features they serve.
#include <QDialog>
#include <QWidget>

#include "engine/Session.h"

class QTabWidget;

namespace hastelyn::ui {

class TFrmMain;

// The compact window: a 127 x 29 strip that stands in for the main window.
class TFrmCompact : public QWidget {
    Q_OBJECT
public:
    explicit TFrmCompact(engine::Session& session);

private:
    engine::Session& session_;
};

// The save-and-restore window.
class TFrmRestore : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRestore(engine::Session& session, QWidget* parent);

    QTabWidget* PgRestore = nullptr;

private:
    engine::Session& session_;
};

// The options window. Making it applies the display settings to every window.
class TFrmSub : public QDialog {
    Q_OBJECT
public:
    TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore);

    QTabWidget* PgOption = nullptr;

private:
    engine::Session& session_;
};

}  // namespace hastelyn::ui
