// The side windows and dialogs: display settings reaching every window when the options window
// is made, and the message boxes with their titles and buttons.
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "tests/ui/support/SideWindowSet.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/QtDialogProvider.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/Widgets.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using AllWindows = testing::SideWindowSet;
using testing::background;
using testing::kSettings;

namespace {

// Answers the next message box by pressing the button with the given text, after noting its
// title and buttons.
struct BoxAnswer {
    QString title;
    QStringList buttons;
    void pressLater(const QString& buttonText) {
        QTimer::singleShot(0, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons()) {
                buttons << b->text();
                if (b->text() == buttonText) b->click();
            }
        });
    }
};

}  // namespace

class SideWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void storedDisplaySettingsReachEveryWindow() {
        // Every display setting stored, on both editions with layered windows.
        for (const char* edition : {"xp", "2000"}) {
            MiniMachine m;
            m.edition(edition).file(
                kSettings,
                "[環境設定]\r\nTransparent=128\r\nColorStyle=Optional\r\nTitleColor=clRed\r\nMenuColor=clLime\r\n"
                "AccelColor=$00808080\r\nSubColor=clNavy\r\nCompactColor=$00FF0000\r\nRestoreColor=$00639AFF\r\n"
                "TabStyle=Buttons\r\nFontSize=12\r\nCommentHint=On\r\n");
            WindowFixture fx(m);
            AllWindows windows(fx);
            ui::TFrmMain& main = fx.window();
            QCOMPARE(main.windowOpacity(), 128 / 255.0);
            QCOMPARE(background(main.findChild<QWidget*>("PnlTitle")), QColor(255, 0, 0));
            QCOMPARE(main.findChild<ui::MenuShape*>("ShpMenu")->colour(), QColor(0, 255, 0));
            QCOMPARE(background(main.findChild<QWidget*>("PnlAccel")), QColor(128, 128, 128));
            QCOMPARE(background(&windows.sub), QColor(0, 0, 128));
            QCOMPARE(background(windows.sub.PnlFocus), QColor(0, 0, 128));
            QCOMPARE(background(&windows.compact), QColor(0, 0, 255));
            QCOMPARE(background(&windows.restore), ui::windowsColor(6527743));  // the default stays
            QCOMPARE(main.Comment->font().pointSize(), 12);
            QCOMPARE(main.Comment->toolTipDuration(), 300000);
            const QString buttons = main.PgAccel->styleSheet();
            QVERIFY(!buttons.isEmpty());
            QCOMPARE(windows.restore.PgRestore->styleSheet(), buttons);
            QCOMPARE(windows.sub.PgOption->styleSheet(), buttons);
            QVERIFY(!windows.sub.PgOption->isTabVisible(3));
        }
    }

    void messageBoxesCarryTheirTitlesAndButtons() {
        ui::QtDialogProvider dialogs;
        BoxAnswer no;
        no.pressLater("いいえ(&N)");
        QVERIFY(!dialogs.show(foundation::DialogKind::Confirmation, "\r\nチェックされた項目を高速化しますか？"));
        QCOMPARE(no.title, QString("確認"));
        QCOMPARE(no.buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));

        for (auto [kind, title] : {std::pair{foundation::DialogKind::Information, "情報"},
                                   std::pair{foundation::DialogKind::Error, "エラー"}}) {
            BoxAnswer ok;
            ok.pressLater("OK");
            QVERIFY(dialogs.show(kind, "text"));
            QCOMPARE(ok.title, QString(title));
            QCOMPARE(ok.buttons, QStringList{"OK"});
        }
    }
};

QTEST_MAIN(SideWindowsTest)
#include "SideWindowsTest.moc"
