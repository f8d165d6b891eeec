// The PC information page: the detail and change buttons forwarded to the pages' screen, which
// fills the fields.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/model/MainPagesControls.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"

namespace hastelyn::ui {
namespace {

std::string fieldText(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

void showPcInformation(TFrmMain& window) { window.pagesFront->screen().showPcInformation(); }

void wirePcInfoPage(TFrmMain& window) {
    fitPageToItsHeight(window.LstInfo->parentWidget(), window.LstInfo);
    MainPagesFront& front = *window.pagesFront;
    auto* detail = static_cast<QPushButton*>(front.widget(model::pages::BtnDetail));
    QObject::connect(detail, &QPushButton::clicked, &window, [&front] { front.screen().detailPressed(); });
    auto* change = static_cast<QPushButton*>(front.widget(model::pages::BtnChange));
    QObject::connect(change, &QPushButton::clicked, &window, [&window, &front] {
        runCommand([&] {
            front.screen().changePressed(fieldText(window.infoFields[0]), fieldText(window.infoFields[1]),
                                         fieldText(window.infoFields[2]));
        });
    });
}

}  // namespace hastelyn::ui
