// Keys and focus of the main window as a keyboard user meets them: F2 once whatever has the
// focus, Enter on a button, the focus at start, and pages turned by the wheel
// (round both ends) or a click on the tabs.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "tests/ui/support/MouseWheel.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/model/MainControls.h"
#include "ui/qt/QtDialogProvider.h"
#include "ui/qt/Widgets.h"

using namespace hastelyn;
using testing::sv;
using testing::WindowFixture;
using testing::withGeneralSettings;

namespace {

// Answers the real message boxes as a user at the keyboard does: the confirmation with the
// given key, any other box with Enter. It looks each time the event loop runs, so it sees each
// box as soon as the box waits for its answer.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(Qt::Key confirmationKey) : key_(confirmationKey) {
        connect(&look_, &QTimer::timeout, this, &BoxAnswerer::answer);
        look_.start(0);
    }
    QStringList titles;  // every box answered, in order

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == answered_ || !box->isVisible()) return;
        answered_ = box;
        titles << box->windowTitle();
        QTest::keyClick(box, box->windowTitle() == QStringLiteral("確認") ? key_ : Qt::Key_Return);
    }
    Qt::Key key_;
    QTimer look_;
    QPointer<QMessageBox> answered_;
};

}  // namespace

class MainWindowKeysTest : public QObject {
    Q_OBJECT
private slots:
    void f2AsksOnceWhateverHasTheFocus() {
        // The real boxes take the focus while they are up, as on a desktop.
        ui::QtDialogProvider boxes;
        WindowFixture fx(withGeneralSettings("Sound=Off\r\n"), {800, 600, 32}, &boxes);
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        const auto pressF2 = [&](QWidget* target) {
            BoxAnswerer answerer(Qt::Key_N);
            QTest::keyClick(target, Qt::Key_F2);
            // The box gave the window back; the desktop makes it active again in its time.
            window.activateWindow();
            return answerer.titles;
        };
        // Alt, F2, N: the menu button has the focus.
        QTest::keyClick(window.BtnAccelerate, Qt::Key_Alt);
        QTRY_VERIFY(window.BtnSystem->hasFocus());
        QCOMPARE(pressF2(window.BtnSystem), QStringList{"確認"});
        // A list has the focus.
        QTRY_VERIFY(window.isActiveWindow());
        window.PgAccel->setCurrentIndex(1);
        window.tweakLists[1]->setFocus();
        QTRY_VERIFY(window.tweakLists[1]->hasFocus());
        QCOMPARE(pressF2(window.tweakLists[1]), QStringList{"確認"});
        // Nothing has the focus: the key goes to the window.
        QTRY_VERIFY(window.isActiveWindow());
        window.tweakLists[1]->clearFocus();
        QCOMPARE(QApplication::focusWidget(), nullptr);
        QCOMPARE(pressF2(&window), QStringList{"確認"});

        // Yes runs the command once: one confirmation, then its one message (nothing changed).
        QTRY_VERIFY(window.isActiveWindow());
        window.BtnSystem->setFocus();
        QTRY_VERIFY(window.BtnSystem->hasFocus());
        BoxAnswerer yes(Qt::Key_Y);
        QTest::keyClick(window.BtnSystem, Qt::Key_F2);
        QCOMPARE(yes.titles, (QStringList{"確認", "情報"}));
    }

    void enterPressesTheFocusedButton() {
        WindowFixture fx(withGeneralSettings("Sound=Off\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        auto* desktop = window.findChild<QPushButton*>("BtnDesktop");
        desktop->setFocus();
        QTest::keyClick(desktop, Qt::Key_Return);
        QCOMPARE(window.PgAccel->currentIndex(), 1);
        auto* explorer = window.findChild<QPushButton*>("BtnExplorer");
        explorer->setFocus();
        QTest::keyClick(explorer, Qt::Key_Enter);  // the keypad's
        QCOMPARE(window.PgAccel->currentIndex(), 2);

        fx.dialogs().answers = {false};
        window.BtnAccelerate->setFocus();
        QTest::keyClick(window.BtnAccelerate, Qt::Key_Return);
        QCOMPARE(fx.dialogs().shown.size(), std::size_t(1));
        QCOMPARE(fx.dialogs().shown[0].first, foundation::DialogKind::Confirmation);
    }

    void theFirstMenuButtonHasTheFocusAtStart() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        QVERIFY(testing::showActive(fx.window()));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(fx.window().BtnSystem));
        // Shift+Tab goes back round to the close button, first in the tab order.
        QTest::keyClick(fx.window().BtnSystem, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(fx.window().BtnClose));
    }

    void theWheelTurnsPagesSilentlyAndAClickOnATabSpeaks() {
        WindowFixture fx(withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        // After a menu click the tabs have the focus; the wheel over the tabs, a list or the
        // window turns the page without a word.
        window.BtnSystem->click();
        QTRY_VERIFY(window.PgAccel->tabBar()->hasFocus());
        fx.setClipboard("quiet");
        testing::turnWheel(window.PgAccel->tabBar(), -120);
        QCOMPARE(window.PgAccel->currentIndex(), 1);
        testing::turnWheel(window.tweakLists[1], -120);
        QCOMPARE(window.PgAccel->currentIndex(), 2);
        testing::turnWheel(&window, 120);
        QCOMPARE(window.PgAccel->currentIndex(), 1);
        testing::turnWheel(&window, 120);
        QCOMPARE(fx.clipboard(), std::string("quiet"));
        // The tabs' own keys speak the page.
        QTest::keyClick(window.PgAccel->tabBar(), Qt::Key_Right);
        QCOMPARE(fx.clipboard(), sv(ui::model::main::TbDesktop.spoken));

        // A click on a tab from elsewhere brings the focus to the pages, which speak it; its
        // row moves next to the page.
        window.BtnAccelerate->setFocus();
        fx.setClipboard("");
        auto* tabs = static_cast<ui::TwoRowTabBar*>(window.PgAccel->tabBar());
        const int lowerTop = tabs->rowTabRect(0).top();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->rowTabRect(6).center());
        QCOMPARE(window.PgAccel->currentIndex(), 6);
        QCOMPARE(tabs->rowTabRect(6).top(), lowerTop);
        QVERIFY(window.PgAccel->currentWidget()->geometry().bottom() <= window.PgAccel->height());
        QTRY_VERIFY(tabs->hasFocus());
        QCOMPARE(fx.clipboard(), sv(ui::model::main::TbUtility.spoken));
    }
};

int main(int argc, char** argv) {
    ui::Application application(argc, argv);
    MainWindowKeysTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "MainWindowKeysTest.moc"
