// The PC information page: the ten fields, the detail button and the change command.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "engine/PcInformation.h"
#include "engine/Utilities.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

std::string fieldText(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

void showPcInformation(TFrmMain& window) {
    const engine::PcInformation info = engine::ReadPcInformation(window.session());
    for (std::size_t i = 0; i < engine::kPcInfoFieldCount; ++i) {
        window.infoFields[i]->setText(u8(info[i]));
        // A text longer than its field shows its beginning.
        window.infoFields[i]->setCursorPosition(0);
    }
}

void wirePcInfoPage(TFrmMain& window) {
    fitPageToItsHeight(window.LstInfo->parentWidget(), window.LstInfo);
    QObject::connect(window.findChild<QPushButton*>("BtnDetail"), &QPushButton::clicked, &window,
                     [&window] { engine::BtnDetailClick(window.session()); });
    QObject::connect(window.findChild<QPushButton*>("BtnChange"), &QPushButton::clicked, &window, [&window] {
        engine::PcInfoEdit edit{fieldText(window.infoFields[0]), fieldText(window.infoFields[1]),
                                fieldText(window.infoFields[2])};
        for (std::size_t i = 0; i < engine::kPcInfoEditableCount; ++i) edit.enabled[i] = window.infoFields[i]->isEnabled();
        runCommand([&] { engine::BtnChangeClick(window.session(), edit); });
    });
}

std::string_view utilityPagesFocusText(const QWidget* control) {
    const QString name = control->objectName();
    for (const engine::UtilityRow& row : engine::utilityRows())
        if (name == QLatin1String(row.name)) return row.spoken;
    for (const engine::PcInfoRow& row : engine::pcInfoRows())
        if (name == QLatin1String(row.name)) return row.spoken;
    if (name == QLatin1String("BtnDetail")) return engine::kDetailSpoken;
    if (name == QLatin1String("BtnChange")) return engine::kChangeSpoken;
    return {};
}

}  // namespace hastelyn::ui
