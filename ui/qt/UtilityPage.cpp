// The utilities page: each button starts its tool with the drive and quick-format choices of
// the page.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "engine/Utilities.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"

namespace hastelyn::ui {
namespace {

// The drive of a drive list's chosen item; nothing when no item is chosen.
std::optional<char> chosenDrive(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    if (item == nullptr) return std::nullopt;
    return engine::driveOfItem(item->text().toStdString());
}

}  // namespace

void wireUtilityPage(TFrmMain& window) {
    for (RowList* drives : {window.LstHDDefrag, window.LstHDConvert}) drives->setRowHeight(13);
    fitPageToItsHeight(window.LstUtility->parentWidget(), window.LstUtility);
    for (std::size_t i = 0; i < window.utilityButtons.size(); ++i) {
        QObject::connect(window.utilityButtons[i], &QPushButton::clicked, &window, [&window, i] {
            const engine::UtilityChoices choices{chosenDrive(window.LstHDDefrag), chosenDrive(window.LstHDConvert),
                                                 window.ChcQuickFormat->isChecked()};
            runCommand([&] { window.pagesFront->screen().utilityPressed(i, choices); });
        });
    }
}

}  // namespace hastelyn::ui
