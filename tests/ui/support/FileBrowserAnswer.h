#pragma once
// Answers the machine's own file dialog as a user would, once it is open.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <optional>

#include "ui/qt/MachineFileDialog.h"

namespace hastelyn::testing {

// What the file dialog did when it opened (if it did): the folder it showed, the names it
// listed, its filters; then it is answered with a typed path, or cancelled.
// The timer goes with the answer: one that was never needed does not fire later.
struct BrowserAnswer {
    bool opened = false;
    QString title, folder;
    QStringList names, filters;
    QTimer timer;
    void answerLater(std::optional<QString> typed) {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this, typed] {
            auto* browser = qobject_cast<ui::MachineFileBrowser*>(QApplication::activeModalWidget());
            if (browser == nullptr) return;
            opened = true;
            title = browser->windowTitle();
            folder = browser->EdtFolder->text();
            for (int i = 0; i < browser->LstFiles->count(); ++i) names << browser->LstFiles->item(i)->text();
            for (int i = 0; i < browser->CmbFilter->count(); ++i) filters << browser->CmbFilter->itemText(i);
            if (!typed) return browser->reject();
            browser->EdtFileName->setText(*typed);
            browser->openSelection();
        });
        timer.start(0);
    }
};

}  // namespace hastelyn::testing
