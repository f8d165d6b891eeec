#include "ui/qt/QtDialogProvider.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace hastelyn::ui {

using foundation::DialogKind;

QString QtDialogProvider::title(DialogKind kind) {
    switch (kind) {
        case DialogKind::Confirmation: return QStringLiteral("確認");
        case DialogKind::Information: return QStringLiteral("情報");
        case DialogKind::Error: return QStringLiteral("エラー");
        case DialogKind::Warning: return QStringLiteral("警告");
    }
    return {};
}

bool QtDialogProvider::show(DialogKind kind, std::string_view text) {
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName("DlgMessage");
    box.setWindowTitle(title(kind));
    QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(message);
    switch (kind) {
        case DialogKind::Confirmation: box.setIcon(QMessageBox::Question); break;
        case DialogKind::Information: box.setIcon(QMessageBox::Information); break;
        case DialogKind::Error: box.setIcon(QMessageBox::Critical); break;
        case DialogKind::Warning: box.setIcon(QMessageBox::Warning); break;
    }
    if (kind == DialogKind::Confirmation) {
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return true;
}

}  // namespace hastelyn::ui
