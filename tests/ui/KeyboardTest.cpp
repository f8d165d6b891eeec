// The main window's keyboard map as a user meets it: keys reach it before the focused control.
#include <QPushButton>
#include <QTest>

#include <sstream>

#include "foundation/SpokenTexts.h"
#include "tests/support/KeyWalk.h"
#include "tests/ui/support/SideWindowSet.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::kSettings;

namespace {

using testing::keywalk::Key;

class QtFront : public testing::keywalk::Front {
public:
    explicit QtFront(WindowFixture& fx) : fx_(fx) {
        QObject::connect(&fx.window(), &ui::TFrmMain::closed, [this] { closed_ = true; });
    }
    void press(Key key) override {
        static constexpr Qt::Key kKeys[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Alt,  Qt::Key_Return,
                                            Qt::Key_Space, Qt::Key_Up,     Qt::Key_Down, Qt::Key_Left,
                                            Qt::Key_Right, Qt::Key_F1,     Qt::Key_F2,   Qt::Key_F3,
                                            Qt::Key_F4,    Qt::Key_F5,     Qt::Key_F6,   Qt::Key_Escape};
        QWidget* to = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &fx_.window();
        QTest::keyClick(to, kKeys[static_cast<int>(key)], key == Key::ShiftTab ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    std::string clipboard() override { return fx_.clipboard(); }
    void setClipboard(std::string_view text) override { fx_.setClipboard(text); }
    std::string focusedName() override {
        // The named widget the focus is in; Qt's own parts (a page control's tabs) have names
        // of Qt's.
        for (QWidget* w = QApplication::focusWidget(); w != nullptr && w != &fx_.window(); w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) return w->objectName().toStdString();
        return {};
    }
    std::string commentary() override { return fx_.window().commentary(); }
    std::vector<std::string> openedByShell() override {
        std::vector<std::string> opened;
        std::istringstream journal(fx_.journal());
        for (std::string line; std::getline(journal, line);) {
            const std::size_t at = line.find("ShellExecute\t");
            if (at == std::string::npos) continue;
            const std::size_t file = line.find('\t', at + 13) + 1;  // after the verb
            opened.push_back(line.substr(file, line.find('\t', file) - file));
        }
        return opened;
    }
    bool closed() override { return closed_ && !fx_.window().isVisible(); }
    std::string activeWindow() override {
        return QApplication::activeWindow() != nullptr ? QApplication::activeWindow()->objectName().toStdString() : "";
    }
    void click(std::string_view name) override {
        const QString button = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        fx_.window().findChild<QAbstractButton*>(button)->click();
        QCoreApplication::processEvents();
    }

private:
    WindowFixture& fx_;
    bool closed_ = false;
};

void showAndFocus(ui::TFrmMain& window, QWidget* focus) {
    QVERIFY(testing::showActive(window));
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // The walk every front end goes (tests/support/KeyWalk.h), each key sent to the focused
    // widget as the keyboard sends it.
    void theKeyboardWalkSaysWhatEveryFrontEndSays() {
        MiniMachine m = testing::withGeneralSettings("Sound=On\r\n[DisabledItem]\r\nDesktop3=true\r\n");
        m.service("Alpha", "Alpha Service", 2);
        m.edition("xp").meters = "[Tick1]\nIdle=0\n";
        WindowFixture fx(m);
        fx.dialogs().answers = {false, false};
        testing::SideWindowSet side(fx);
        std::tie(ui::FrmMain, ui::FrmCompact, ui::FrmRestore) = std::tuple(&fx.window(), &side.compact, &side.restore);
        showAndFocus(fx.window(), fx.window().BtnSystem);
        QtFront front(fx);
        std::string differences;
        for (const std::string& difference : testing::keywalk::walkWindows(front, fx.session()))
            differences += "\n" + difference;
        std::tie(ui::FrmMain, ui::FrmCompact, ui::FrmRestore) = std::tuple(nullptr, nullptr, nullptr);
        if (!differences.empty()) QFAIL(differences.c_str());
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
        WindowFixture fx(testing::withGeneralSettings("Sound=On\r\n").restrictedAccount());
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
