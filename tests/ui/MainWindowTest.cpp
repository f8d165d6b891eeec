// The main window as a user meets it: spoken texts of buttons and pages, list rows, the title
// strip's buttons, the tabs and the accessibility names.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QSystemTrayIcon>
#include <QTimer>

#include "engine/Accelerate.h"
#include "engine/Startup.h"
#include "tests/ui/support/SideWindowSet.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Forms.h"
#include "ui/qt/SideWindows.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::withGeneralSettings;

namespace {

void chooseRow(QListWidget* list, int row) {
    list->setFocus();
    list->setCurrentRow(row);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Shift+Tab from the accelerate button onto a page's button says that button, not the page,
    // and the focus back from another window says nothing again. (The menu and the pages are
    // the keyboard walk's, KeyboardTest.)
    void theFocusSaysTheControlItComesTo() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        window.findChild<QPushButton*>("BtnInfo")->click();
        window.BtnAccelerate->setFocus();
        QTest::keyClick(window.BtnAccelerate, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString("BtnDetail"));
        const std::string detail =
            "詳細プッシュボタンです。Enterキーを押すと システム情報ツールを起動します。Tabキーを押すと 次のコントロールに移動します。";
        QCOMPARE(fx.clipboard(), detail);
        fx.setClipboard("情報のメッセージ。");
        {
            QWidget box;
            QVERIFY(testing::showActive(box));
        }
        QVERIFY(testing::showActive(window));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QString("BtnDetail"));
        QCOMPARE(fx.clipboard(), std::string("情報のメッセージ。"));
    }

    // What the rows say is the keyboard walk's (KeyboardTest).
    void aChosenRowShowsItsCommentaryAndTheMoreInformationButton() {
        WindowFixture fx(withGeneralSettings("Sound=Off\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        // The utility list: the more-information button for rows three and five only.
        window.findChild<QPushButton*>("BtnUtility")->click();
        for (int row = 0; row < 10; ++row) {
            chooseRow(window.LstUtility, row);
            QCOMPARE(window.BtnMoreInfo->isVisible(), row == 2 || row == 4);
        }
        window.findChild<QPushButton*>("BtnInfo")->click();
        chooseRow(window.LstInfo, 4);
        QVERIFY(window.BtnMoreInfo->isHidden());
        QVERIFY(window.commentary().starts_with("パソコンにインストールされているWindowsのバージョン"));
    }

    void theMenuTheAboutPictureAndTheTitleStripButtons() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        testing::SideWindowSet side(fx);
        ui::FrmCompact = &side.compact;
        ui::FrmRestore = &side.restore;
        ui::FrmSub = &side.sub;
        QVERIFY(testing::showActive(window));
        QTest::mouseClick(window.ImgAbout, Qt::LeftButton);
        QVERIFY(side.sub.isVisible());
        QCOMPARE(side.sub.PgOption->currentWidget()->objectName(), QString("TbVersion"));
        side.sub.hide();
        window.findChild<QPushButton*>("BtnOption")->click();
        QCOMPARE(side.sub.PgOption->currentWidget()->objectName(), QString("TbOption"));
        side.sub.hide();

        // A right-button press or double-click elsewhere does nothing; a double-click on the
        // title goes to the compact window.
        QTest::mousePress(window.PnlTitle, Qt::RightButton, {}, QPoint(600, 50));
        QVERIFY(window.isVisible());
        QTest::mouseDClick(window.ImgTitle, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!window.isVisible());
        QVERIFY(side.compact.isVisible());
        side.compact.hide();
        ui::FrmCompact = nullptr;
        ui::FrmRestore = nullptr;
        ui::FrmSub = nullptr;

        window.show();
        window.BtnTop->click();
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        window.BtnTop->click();
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // The tray: a left press brings the window back.
        window.trayAvailable = [] { return true; };
        window.findChild<QPushButton*>("BtnTray")->click();
        QVERIFY(!window.isVisible());
        window.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        // Without a notification area the window is minimised instead of lost.
        window.trayAvailable = [] { return false; };
        window.findChild<QPushButton*>("BtnTray")->click();
        QVERIFY(window.isVisible());
        QVERIFY(window.isMinimized());
    }

    void allEightTabsAreReadableAndEveryControlIsNamed() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        ui::TwoRowTabBar* tabs = window.PgAccel->rows();
        QCOMPARE(tabs->count(), 8);
        for (int i = 0; i < 8; ++i) {
            const QRect r = tabs->rowTabRect(i);
            QVERIFY(tabs->rect().contains(r));
            for (int j = 0; j < i; ++j) QVERIFY(!r.intersects(tabs->rowTabRect(j)));
            QCOMPARE(tabs->rowTabAt(r.center()), i);
        }

        for (QWidget* w : window.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QListWidget*>(w) ||
                                 qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
            if (!control) continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (!w->toolTip().isEmpty()) QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(w->objectName()));
        }
    }

    // Another program (hastelyn-cli) changes Desktop ⑦ while the window is open: the window's
    // accelerate leaves the row and says so, and the window shows the row as it is once it is
    // active again. The wallpaper kept for the row is never lost.
    void anotherProgramsChangeIsNeverUndoneAndShowsWhenTheWindowIsActiveAgain() {
        MiniMachine m;
        m.file(testing::kSettings, "[デスクトップ]\r\n7=C:\\pic.bmp\r\n");
        m.hive(platform::RootKey::CurrentUser, {"[HKEY_CURRENT_USER\\Control Panel\\Desktop]", "\"Wallpaper\"=\"\""});
        WindowFixture fx(m);
        ui::TFrmMain& window = fx.window();
        engine::Row& row = fx.session().model.tweakList(1).rows[6];
        QVERIFY(row.ticked);
        const auto otherProgram = [&fx](bool tick) {
            sandbox::SandboxPlatform other(fx.folder());
            testing::FakeClipboard clipboard;
            testing::ScriptedDialogs dialogs;
            engine::Session session(other.platform(), clipboard, dialogs);
            engine::startWithoutWindows(session);
            session.model.tweakList(1).rows[6].ticked = tick;
            QVERIFY(engine::BtnAccelerateClick(session).changed);
        };
        const auto wallpaper = [&fx] { return fx.session().registry.ReadRegValue(
                                           platform::RootKey::CurrentUser, "\\Control Panel\\Desktop", "Wallpaper", foundation::RegType::String); };

        otherProgram(false);
        row.ticked = false;  // the user unticks it too, in the window that still shows it ticked
        window.BtnAccelerate->click();
        QCOMPARE(wallpaper(), "C:\\pic.bmp");
        QVERIFY(!row.ticked);
        QCOMPARE(fx.session().model.state()[16], std::uint8_t{0});
        QVERIFY(fx.dialogs().shown.back().second.ends_with("そのままにしました。\r\n　デスクトップ ⑦"));

        otherProgram(true);
        const QString rest = window.LblRest->text();
        QEvent activated(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &activated);
        QCOMPARE(window.tweakLists[1]->item(6)->checkState(), Qt::Checked);
        QCOMPARE(window.LblRest->text().toInt(), rest.toInt() - 1);
        row.ticked = false;
        window.BtnAccelerate->click();
        QCOMPARE(wallpaper(), "C:\\pic.bmp");

        // Changed elsewhere while the window stays active: the accelerate that finds it shows it
        // in the list and the counters, though it changes nothing.
        otherProgram(true);
        window.BtnAccelerate->click();
        QCOMPARE(window.tweakLists[1]->item(6)->checkState(), Qt::Checked);
        QCOMPARE(window.LblRest->text().toInt(), rest.toInt() - 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
