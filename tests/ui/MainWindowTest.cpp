// The main window as a user meets it: spoken texts of buttons and pages, list rows, the
// wheel, the counters, the title strip's buttons, the tabs and the accessibility names.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWheelEvent>

#include "foundation/SpokenTexts.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/Forms.h"
#include "ui/MainMenuTable.h"
#include "ui/SideWindows.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::withGeneralSettings;

namespace {

void chooseRow(QListWidget* list, int row) {
    list->setFocus();
    list->setCurrentRow(row);
}

std::string sv(std::string_view s) { return std::string(s); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyMenuButtonAndPageSpeaksItsTextOnTheFocus() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        for (const ui::MenuButtonEntry& entry : ui::menuButtons()) {
            window.BtnAccelerate->setFocus();
            fx.setClipboard("");
            window.findChild<QPushButton*>(entry.name)->setFocus();
            QCOMPARE(QString::fromStdString(fx.clipboard()), QString::fromStdString(sv(entry.spoken)));
        }
        // Spot checks against the texts as written, so a slip in the table shows.
        QCOMPARE(sv(ui::menuButtons()[9].spoken),
                 "環境設定プッシュボタンです。Enterキーを押すと 環境設定ウィンドウを起動します。Tabキーを押すと 次のコントロールに移動します。");
        QCOMPARE(sv(ui::pages()[7].spoken),
                 "パソコン情報高速化項目ページです。Tabキーを押すと パソコン情報一覧に移動します。左キーを押すと 前のページに移動します。");

        // A menu button shows its page and the page speaks; the tabs' own keys speak too.
        for (const ui::MenuButtonEntry& entry : ui::menuButtons()) {
            if (entry.page < 0) continue;
            window.findChild<QPushButton*>(entry.name)->setFocus();
            window.findChild<QPushButton*>(entry.name)->click();
            QCOMPARE(window.PgAccel->currentIndex(), entry.page);
            QCOMPARE(fx.clipboard(), sv(ui::pages()[static_cast<std::size_t>(entry.page)].spoken));
        }
        QTest::keyClick(window.PgAccel->tabBar(), Qt::Key_Left);
        QCOMPARE(window.PgAccel->currentIndex(), 6);
        QCOMPARE(fx.clipboard(), sv(ui::pages()[6].spoken));

        fx.setClipboard("");
        window.BtnAccelerate->setFocus();
        QVERIFY(fx.clipboard().starts_with("高速化設定プッシュボタンです。"));

        // The close button keeps quiet while the start-up speech is still to come.
        window.TmrSpeak->start();
        fx.setClipboard("");
        window.BtnClose->setFocus();
        QCOMPARE(fx.clipboard(), std::string());
        window.TmrSpeak->stop();
        window.BtnSystem->setFocus();
        window.BtnClose->setFocus();
        QVERIFY(fx.clipboard().starts_with("閉じるプッシュボタンです。"));
    }

    void aChosenRowShowsItsCommentaryAndIsSpokenInThreeSteps() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        window.findChild<QPushButton*>("BtnDesktop")->click();
        auto* desktop = window.tweakLists[1];
        desktop->checkList().rows[2].ticked = true;
        desktop->refresh();
        chooseRow(desktop, 2);
        const std::string label = desktop->item(2)->text().toStdString();
        QCOMPARE(fx.clipboard(), "デスクトップ" + label + sv(foundation::spoken::kTicked) + sv(foundation::spoken::kRowHints));
        QVERIFY(window.commentary().size() > 40);
        QVERIFY(window.BtnMoreInfo->isHidden());
        chooseRow(desktop, 3);
        QVERIFY(fx.clipboard().find(sv(foundation::spoken::kNotTicked)) != std::string::npos);

        // The utility list: no tick word, its own hints; the more-information button for rows
        // three and five only.
        window.findChild<QPushButton*>("BtnUtility")->click();
        for (int row = 0; row < 10; ++row) {
            chooseRow(window.LstUtility, row);
            QCOMPARE(window.BtnMoreInfo->isVisible(), row == 2 || row == 4);
        }
        QCOMPARE(fx.clipboard(), "ユーティリティ" + window.LstUtility->item(9)->text().toStdString() +
                                     sv(foundation::spoken::kUtilityHints));
        window.findChild<QPushButton*>("BtnInfo")->click();
        chooseRow(window.LstInfo, 4);
        QVERIFY(window.BtnMoreInfo->isHidden());
        QVERIFY(window.commentary().starts_with("パソコンにインストールされているWindowsのバージョン"));
        QCOMPARE(fx.clipboard(), "パソコン情報" + window.LstInfo->item(4)->text().toStdString() +
                                     sv(foundation::spoken::kInfoHints));

        // With "Sound" off only the commentary and the button change.
        fx.session().settings.write("環境設定", "Sound", "Off");
        fx.setClipboard("unchanged");
        window.findChild<QPushButton*>("BtnUtility")->click();
        chooseRow(window.LstUtility, 4);
        QVERIFY(window.BtnMoreInfo->isVisible());
        QCOMPARE(fx.clipboard(), std::string("unchanged"));
    }

    void theWheelTurnsThePagesRoundBothEnds() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        fx.setClipboard("quiet");
        auto turn = [&](int delta) {
            QWheelEvent wheel(QPointF(5, 5), window.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, delta), Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(&window, &wheel);
            return window.PgAccel->currentIndex();
        };
        QCOMPARE(turn(-120), 1);  // towards the user: the next page
        QCOMPARE(turn(120), 0);
        QCOMPARE(turn(120), 7);   // away from the user on the first page: the last one
        QCOMPARE(turn(-120), 0);
        QCOMPARE(fx.clipboard(), std::string("quiet"));
    }

    void theCountersFollowTheTicks() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        engine::ItemModel& model = fx.session().model;
        auto tickAll = [&](bool ticked) {
            for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
                for (engine::Row& row : model.tweakList(c).rows) row.ticked = ticked;
            window.countItems();
        };
        tickAll(false);
        QCOMPARE(window.LblRest->text(), window.LblAll->text());
        tickAll(true);
        QCOMPARE(window.LblRest->text(), QString("0"));
        QCOMPARE(window.LblAll->text(), QString("50"));
        // Before the first count both show "-".
        ui::TFrmMain fresh(fx.session());
        QCOMPARE(fresh.LblAll->text(), QString("-"));
        QCOMPARE(fresh.LblRest->text(), QString("-"));
    }

    void theTitleStripButtons() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        ui::TFrmCompact compact(fx.session());
        ui::FrmCompact = &compact;
        QVERIFY(testing::showActive(window));

        // A right-button press or double-click elsewhere does nothing; a double-click on the
        // title goes to the compact window.
        QTest::mousePress(window.PnlTitle, Qt::RightButton, {}, QPoint(600, 50));
        QVERIFY(window.isVisible());
        QTest::mouseDClick(window.ImgTitle, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!window.isVisible());
        QVERIFY(compact.isVisible());
        compact.hide();

        window.show();
        window.findChild<QPushButton*>("BtnPerformance")->click();
        QVERIFY(!window.isVisible());
        QVERIFY(compact.isVisible());
        QVERIFY(compact.BtnPerformance->isChecked());
        compact.hide();
        ui::FrmCompact = nullptr;

        window.show();
        window.BtnTop->click();
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        window.BtnTop->click();
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // The tray: only a left press brings the window back.
        window.trayAvailable = [] { return true; };
        window.findChild<QPushButton*>("BtnTray")->click();
        QVERIFY(!window.isVisible());
        window.trayActivated(QSystemTrayIcon::Context);
        window.trayActivated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!window.isVisible());
        window.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        // Without a notification area the window is minimised instead of lost.
        window.trayAvailable = [] { return false; };
        window.findChild<QPushButton*>("BtnTray")->click();
        QVERIFY(window.isVisible());
        QVERIFY(window.isMinimized());
    }

    void theMenuAndTheAboutPictureOpenTheSideWindows() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        ui::TFrmCompact compact(fx.session());
        ui::TFrmRestore restore(fx.session(), &window);
        ui::TFrmSub sub(fx.session(), window, compact, restore);
        ui::FrmRestore = &restore;
        ui::FrmSub = &sub;
        QVERIFY(testing::showActive(window));
        QTest::mouseClick(window.ImgAbout, Qt::LeftButton);
        QVERIFY(sub.isVisible());
        QCOMPARE(sub.PgOption->currentWidget()->objectName(), QString("TbVersion"));
        sub.hide();
        window.findChild<QPushButton*>("BtnOption")->click();
        QCOMPARE(sub.PgOption->currentWidget()->objectName(), QString("TbOption"));
        window.findChild<QPushButton*>("BtnRestore")->click();
        QVERIFY(restore.isVisible());
        ui::FrmRestore = nullptr;
        ui::FrmSub = nullptr;
    }

    void allEightTabsAreReadableAndEveryControlIsNamed() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        ui::TwoRowTabBar* tabs = window.PgAccel->rows();
        QCOMPARE(tabs->count(), 8);
        QRect all;
        for (int i = 0; i < 8; ++i) {
            const QRect r = tabs->rowTabRect(i);
            QVERIFY(tabs->rect().contains(r));
            QVERIFY(tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) + 8 <= r.width());
            for (int j = 0; j < i; ++j) QVERIFY(!r.intersects(tabs->rowTabRect(j)));
            QCOMPARE(tabs->rowTabAt(r.center()), i);
        }
        // The current tab's row is the one next to the page; a click on a tab chooses it.
        const int lowerTop = tabs->rowTabRect(0).top();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->rowTabRect(6).center());
        QCOMPARE(window.PgAccel->currentIndex(), 6);
        QCOMPARE(tabs->rowTabRect(6).top(), lowerTop);
        QVERIFY(window.PgAccel->currentWidget()->geometry().bottom() <= window.PgAccel->height());

        for (QWidget* w : window.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QListWidget*>(w) ||
                                 qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
            if (!control) continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (!w->toolTip().isEmpty()) QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
