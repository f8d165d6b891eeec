// The main window's keyboard map as a user meets it: keys reach it before the focused control.
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "foundation/SpokenTexts.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/qt/CommandErrors.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::kSettings;

namespace {

MiniMachine withSound(const char* sound) { return testing::withGeneralSettings(std::string("Sound=") + sound + "\r\n"); }

void showAndFocus(ui::TFrmMain& window, QWidget* focus) {
    QVERIFY(testing::showActive(window));
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void withSpeechOffTheKeysStillSpeakAndActUntilEscapeCloses() {
        WindowFixture fx(withSound("Off"));
        ui::CheckListView* list = fx.window().tweakLists[0];
        showAndFocus(fx.window(), list);
        // Space speaks the tick before the list toggles it.
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kNotTicked));
        QVERIFY(fx.session().model.tweakList(0).rows[0].ticked);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kTicked));
        QVERIFY(!fx.session().model.tweakList(0).rows[0].ticked);
        // A disabled row (System ⑩ on XP) speaks its tick, which does not change.
        list->setCurrentRow(9);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kNotTicked));
        QVERIFY(!fx.session().model.tweakList(0).rows[9].ticked);

        QWidget* focus = fx.window().BtnAccelerate;
        focus->setFocus();
        QTRY_VERIFY(focus->hasFocus());
        QTest::keyClick(focus, Qt::Key_F3);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kOverview));
        QTest::keyClick(focus, Qt::Key_F5);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kOperation));
        fx.setClipboard("x");
        QTest::keyClick(focus, Qt::Key_F4);
        QCOMPARE(fx.clipboard(), foundation::spoken::commentForSpeech(fx.window().commentary()));
        QVERIFY(fx.clipboard().size() > 100);

        // Alt goes to the menu; F1 opens the help.
        QTest::keyClick(focus, Qt::Key_Alt);
        QTRY_VERIFY(fx.window().BtnSystem->hasFocus());
        QTest::keyClick(fx.window().BtnSystem, Qt::Key_F1);
        QVERIFY(fx.journal().find("ShellExecute\topen\tC:\\Program Files\\Hastelyn\\help\\index.htm\t\t\t1") != std::string::npos);

        QTest::keyClick(fx.window().BtnSystem, Qt::Key_F6);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kSpeechOn));
        QCOMPARE(fx.setting("環境設定", "Sound"), std::string("On"));

        // Escape closes, without a word while speech is off.
        fx.session().settings.write("環境設定", "Sound", "Off");
        QSignalSpy closed(&fx.window(), &ui::TFrmMain::closed);
        fx.setClipboard("before");
        QTest::keyClick(fx.window().BtnSystem, Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!fx.window().isVisible());
        QCOMPARE(fx.clipboard(), std::string("before"));
    }

    void aFailingCommandShowsItsErrorAndTheWindowGoesOn() {
        MiniMachine m;
        m.folder(kSettings);  // the settings file cannot be written
        WindowFixture fx(m);
        ui::reportErrorsTo(&fx.session().dialogs);
        showAndFocus(fx.window(), fx.window().BtnAccelerate);
        fx.dialogs().shown.clear();
        // F6 speaks, then its settings write is refused: the error box names the file.
        QTest::keyClick(fx.window().BtnAccelerate, Qt::Key_F6);
        QCOMPARE(fx.dialogs().shown.size(), std::size_t(1));
        QCOMPARE(fx.dialogs().shown[0].first, foundation::DialogKind::Error);
        QVERIFY(fx.dialogs().shown[0].second.find(kSettings) != std::string::npos);
        QVERIFY(fx.window().isVisible());
        QTest::keyClick(fx.window().BtnAccelerate, Qt::Key_F3);
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kOverview));
        ui::reportErrorsTo(nullptr);
    }

    // The error of a command goes out spoken too, in place of the confirmation that came before.
    void aCommandsErrorIsSpoken() {
        WindowFixture fx(withSound("On").restrictedAccount());
        fx.session().model.tweakList(1).rows[3].ticked = true;  // a machine value: refused
        ui::reportErrorsTo(&fx.session().dialogs);
        showAndFocus(fx.window(), fx.window().BtnAccelerate);
        fx.dialogs().shown.clear();
        QTest::keyClick(fx.window().BtnAccelerate, Qt::Key_F2);
        QCOMPARE(fx.dialogs().shown.size(), std::size_t(2));
        QCOMPARE(fx.dialogs().shown[1].first, foundation::DialogKind::Error);
        QVERIFY(fx.clipboard().starts_with("エラーのメッセージ。"));
        QVERIFY(fx.clipboard().ends_with("Enterキーを押すと 画面を閉じます。"));
        ui::reportErrorsTo(nullptr);
    }
};

int main(int argc, char** argv) {
    ui::Application application(argc, argv);
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "KeyboardTest.moc"
