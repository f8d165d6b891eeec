// The save-and-restore window: a restore point made and chosen in the machine's own file dialog,
// the main window refreshed; F4, the wheel, the spoken texts, the tab order and closing.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "engine/RestoreWindowTexts.h"
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

namespace {

const char* const kMemoryKey = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

MiniMachine machine(const std::string& settings) {
    MiniMachine m = testing::withGeneralSettings(settings);
    m.hive(platform::RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]",
            "\"DisablePagingExecutive\"=dword:00000000"});
    return m;
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
        restore.BtnBackup->click();  // Yes by default
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
            restore.BtnRecovery->click();
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
        restore.BtnRecovery->click();
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

    void f4WheelSpeechTabOrderAndClosing() {
        WindowFixture fx(machine("Sound=On\r\n"));
        ui::TFrmRestore restore(fx.session(), &fx.window());
        restore.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&restore));
        QVERIFY(QTest::qWaitFor([&] { return restore.isActiveWindow(); }));
        QCOMPARE(restore.size(), QSize(527, 312));
        // Centred on the main window (an odd width rounds either way).
        const QPoint off = restore.geometry().center() - fx.window().geometry().center();
        QVERIFY(std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2);
        QCOMPARE(fx.clipboard(), std::string(engine::restoretext::kWindowShown));

        const auto walk = [&](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key);
            return fx.clipboard();
        };
        QCOMPARE(QApplication::focusWidget(), restore.BtnCancel);
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kPcPageEntered));
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kButtonTexts[1].spoken));
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kButtonTexts[2].spoken));
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kButtonTexts[0].spoken));
        QCOMPARE(QApplication::focusWidget(), restore.BtnCancel);

        // F4 whatever "Sound" says, on both pages, byte-exact.
        fx.session().settings.write(foundation::kGeneralSection, "Sound", "Off");
        QCOMPARE(walk(Qt::Key_F4),
                 std::string("お使いのパソコンの状態を 復元ポイントとして管理することができます。\r\n\r\n任意に復元ポイントを作成することで パソコンの調子がおかしくなった場合や \r\n"
                             "パソコンの状態を 以前の状態に戻したくなったときに \r\n以前に 作成しておいた復元ポイントを指定することで \r\n"
                             "お使いのパソコンを 復元ポイント作成時の状態まで 戻すことができます。\r\n復元ポイントは 複数作成することができます。\r\n\r\n"
                             "※ 初回起動時に 高速化を行う前の復元ポイントを作成することで \r\n　 Hastelyn 導入前の状態に パソコンの状態をいつでも戻すことができます。"));
        fx.session().settings.write(foundation::kGeneralSection, "Sound", "On");

        // The page change moves the focus out and back: the new page is spoken.
        restore.PgRestore->setCurrentIndex(1);
        QCOMPARE(fx.clipboard(), std::string(engine::restoretext::kMailPageEntered));
        QCOMPARE(restore.commentText(), std::string(engine::restoretext::kMailPageExplanation));
        const std::string f4 = walk(Qt::Key_F4);
        QCOMPARE(f4.substr(f4.find("OEには")),
                 std::string("OEには メールルールをバックアップ 復元する手段は提供されていません。\r\n\r\n Hastelyn でメールルールをバックアップすることで \r\n"
                             "Windowsの再インストールや パソコンの移行時に \r\nメールルールを再び作成する手間を 省くことができます。\r\n\r\n"
                             "※ メールデータやメールアカウント アドレス帳を \r\n　バックアップ 復元する手段は OEで提供されています。"));
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kButtonTexts[3].spoken));
        QCOMPARE(walk(Qt::Key_Tab), std::string(engine::restoretext::kButtonTexts[4].spoken));

        // The wheel: down on the last page shows the first, up on the first the last.
        testing::turnWheel(&restore, -120);
        QCOMPARE(restore.PgRestore->currentWidget(), restore.TbKelvarix);
        testing::turnWheel(&restore, 120);
        QCOMPARE(restore.PgRestore->currentWidget(), restore.TbOE);

        // Escape presses BtnCancel.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!restore.isVisible());
        QCOMPARE(fx.clipboard(), std::string(engine::restoretext::kWindowClosed));
        // The title bar closes without a word.
        restore.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&restore));
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
