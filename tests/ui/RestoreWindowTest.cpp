// The save-and-restore window's widgets: a restore point made and chosen in the machine's own
// file dialog, the main window refreshed; the screen's events reaching it from the keys, the
// focus, the tabs and the wheel; the names a screen reader reads; closing.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "ui/model/RestoreControls.h"
#include "tests/ui/support/FileBrowserAnswer.h"
#include "tests/ui/support/MouseWheel.h"
#include "tests/ui/support/WindowFixture.h"
#include "engine/Passes.h"
#include "ui/qt/Application.h"
#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/RestoreWindow.h"
#include "ui/qt/Widgets.h"

using namespace hastelyn;
using foundation::DialogKind;
using testing::BrowserAnswer;
using testing::MiniMachine;
using testing::WindowFixture;
namespace c = ui::model::restore::controls;

namespace {

const char* const kMemoryKey = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

MiniMachine machine(const std::string& settings) {
    MiniMachine m = testing::withGeneralSettings(settings);
    m.hive(platform::RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]",
            "\"DisablePagingExecutive\"=dword:00000000"});
    return m;
}

QAbstractButton* buttonOf(ui::TFrmRestore& restore, const ui::model::Control& row) {
    return static_cast<QAbstractButton*>(restore.widget(row));
}

std::string lastDialog(WindowFixture& fx) { return fx.dialogs().shown.empty() ? "" : fx.dialogs().shown.back().second; }

void setPagingExecutive(WindowFixture& fx, const char* value) {
    fx.session().registry.WriteRegValue(platform::RootKey::LocalMachine, kMemoryKey, "DisablePagingExecutive", value,
                                        foundation::RegType::DWORD);
}

}  // namespace

class RestoreWindowTest : public QObject {
    Q_OBJECT
private slots:
    void recoveryBrowsesTheMachineAndRefreshesTheMainWindow() {
        WindowFixture fx(machine("Sound=On\r\n"));
        ui::TFrmRestore restore(fx.session(), &fx.window());
        ui::TFrmMain& main = fx.window();
        QListWidget* system = main.tweakLists[0];
        buttonOf(restore, c::BtnBackup)->click();  // Yes by default
        const std::string made = lastDialog(fx).substr(lastDialog(fx).find("作成ファイル：") + std::string("作成ファイル：").size());
        setPagingExecutive(fx, "1");
        engine::readPass(fx.session());
        main.refreshLists();
        main.countItems();
        QCOMPARE(system->item(0)->checkState(), Qt::Checked);
        const QString restBefore = main.LblRest->text();
        {
            BrowserAnswer browser;
            browser.answerLater(std::nullopt);
            buttonOf(restore, c::BtnRecovery)->click();
            QVERIFY(browser.opened);
            QCOMPARE(browser.title, ui::u8("復元ポイントを指定してください。"));
            QCOMPARE(browser.folder, ui::u8("C:\\Program Files\\Hastelyn"));
            QCOMPARE(browser.filters, (QStringList{ui::u8("復元ポイント"), ui::u8("Iniファイル")}));
            QCOMPARE(browser.names.filter(ui::u8("復元ポイント")).size(), 1);
            QVERIFY(!browser.names.contains("Hastelyn.ini"));  // the first filter shows restore points only
            QCOMPARE(system->item(0)->checkState(), Qt::Checked);
        }
        BrowserAnswer browser;
        browser.answerLater(ui::u8(made));
        buttonOf(restore, c::BtnRecovery)->click();
        QVERIFY(lastDialog(fx).ends_with("\r\n\r\n指定ファイル：" + made));
        QVERIFY(fx.dialogs().shown.back().first == DialogKind::Information);
        QCOMPARE(fx.session().registry.ReadRegValue(platform::RootKey::LocalMachine, kMemoryKey, "DisablePagingExecutive",
                                                    foundation::RegType::DWORD),
                 std::string("0"));
        QCOMPARE(system->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(main.LblRest->text().toInt(), restBefore.toInt() + 1);
    }

    void browserWalksTheMachinesFolders() {
        WindowFixture fx(machine(""));
        ui::MachineFileBrowser browser(fx.sandbox().platform().files, "t", "INI|*.ini|全部|*.*", "C:\\Program Files\\Hastelyn\\", nullptr);
        QCOMPARE(browser.folder(), std::string("C:\\Program Files\\Hastelyn"));
        QVERIFY(browser.CmbDrive->findText("C:\\") >= 0);
        browser.EdtFileName->setText("..");
        browser.openSelection();
        QCOMPARE(browser.folder(), std::string("C:\\Program Files"));
        QVERIFY(browser.LstFiles->findItems("Hastelyn", Qt::MatchExactly).size() == 1);
        browser.EdtFileName->setText("C:\\");
        browser.openSelection();
        QCOMPARE(browser.folder(), std::string("C:\\"));
        QVERIFY(browser.LstFiles->findItems("..", Qt::MatchExactly).isEmpty());
        browser.EdtFileName->setText("Program Files\\Hastelyn\\Hastelyn.ini");
        browser.openSelection();
        QCOMPARE(browser.chosen(), std::string("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));
    }

    void eventsReachTheScreenAndTheWidgetsAreNamed() {
        WindowFixture fx(machine("Sound=On\r\n"));
        ui::TFrmRestore restore(fx.session(), &fx.window());
        restore.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&restore));
        QVERIFY(QTest::qWaitFor([&] { return restore.isActiveWindow(); }));
        QCOMPARE(restore.size(), QSize(527, 312));
        // Centred on the main window (an odd width rounds either way).
        const QPoint off = restore.geometry().center() - fx.window().geometry().center();
        QVERIFY(std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2);
        const std::pair<QWidget*, const char*> names[] = {
            {restore.widget(c::BtnCancel), "閉じる"}, {restore.widget(c::BtnBackup), "▼ パソコンの状態を保存"},
            {restore.widget(c::BtnRecoveryOE), "▼ メールルールを復元"}, {restore.PgRestore, "ページ"}, {restore.Comment, "詳しい解説"}};
        for (const auto& [widget, name] : names) QCOMPARE(widget->accessibleName(), ui::u8(name));

        // A page chosen: the memo explains it, one line break for each CR LF.
        restore.PgRestore->setCurrentIndex(1);
        QVERIFY(restore.Comment->toPlainText().startsWith(ui::u8("現在、インターネットの普及に伴い、\n連絡手段")));
        testing::turnWheel(&restore, -120);
        QCOMPARE(restore.PgRestore->currentIndex(), 0);

        // The title bar closes without a word (Escape: the keyboard walk).
        fx.setClipboard("x");
        restore.close();
        QVERIFY(!restore.isVisible());
        QCOMPARE(fx.clipboard(), std::string("x"));
    }
};

int main(int argc, char** argv) {
    // The window's key preview (F4) runs in the program's own application object.
    ui::Application application(argc, argv);
    RestoreWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "RestoreWindowTest.moc"
