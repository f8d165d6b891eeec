// The main window as start-up leaves it: paths, locks, drive lists, the first start's prompt.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "foundation/SpokenTexts.h"
#include "tests/ui/support/WindowFixture.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::kSettings;

namespace {

MiniMachine xpWithSystemFiles() {
    MiniMachine m;
    m.file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\nmsmsgs=msgrocm.dll,OcEntry,msmsgs.inf,hide,7\r\n")
        .file("C:\\boot.ini", "[boot loader]\r\ntimeout=30\r\n", 0x27);
    return m;
}

void fireStartupTimer(ui::TFrmMain& window) {
    window.TmrSpeak->setInterval(0);
    window.TmrSpeak->start();
    QTRY_VERIFY(!window.TmrSpeak->isActive());
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesPathsLocksAndTheMigrationMarker() {
        WindowFixture fx(xpWithSystemFiles());
        QVERIFY(fx.startErrors().empty());
        QCOMPARE(fx.setting("環境設定", "SysocPath"), std::string("C:\\WINDOWS\\inf\\sysoc.inf"));
        QCOMPARE(fx.setting("環境設定", "BootPath"), std::string("C:\\boot.ini"));
        QCOMPARE(fx.setting("環境設定", "TransitOption"), std::string("1"));
        // XP switches off System ⑩ only; the rows of the other lists stay unmarked.
        QCOMPARE(fx.setting("DisabledItem", "System10"), std::string("pre_true"));
        QCOMPARE(fx.setting("DisabledItem", "System9"), std::string("NULL"));
        QVERIFY(!fx.session().model.tweakList(0).rows[9].enabled);
        // Others ① and ⑩ have neither the media player nor the messenger extension here.
        QVERIFY(!fx.session().model.tweakList(4).rows[0].enabled);
        QCOMPARE(fx.setting("DisabledItem", "Others10"), std::string("pre_true"));
        // The counters: every row, and the rows not in force (on this bare machine the rows
        // whose item is the absence of a value or key are in force already).
        QCOMPARE(fx.window().LblAll->text(), QString("50"));
        QCOMPARE(fx.window().LblRest->text(), QString::number(fx.session().model.restCount()));
        QVERIFY(fx.session().model.restCount() < 50);
    }

    void editionLocksReplaceTheUsersAndUserLocksApply() {
        MiniMachine m = xpWithSystemFiles();
        m.file(kSettings,
               "[DisabledItem]\r\nSystem10=true\r\nSystem1=true\r\nDesktop2=pre_true\r\nUtility6=true\r\n"
               "PCInfo2=true\r\nService=false\r\n");
        WindowFixture fx(m);
        QCOMPARE(fx.setting("DisabledItem", "System10"), std::string("pre_true"));
        QVERIFY(!fx.session().model.tweakList(0).rows[9].enabled);
        QVERIFY(!fx.session().model.tweakList(0).rows[0].enabled);
        // A stale "pre_true" leaves the row as the start-up checks left it: enabled.
        QVERIFY(fx.session().model.tweakList(1).rows[1].enabled);
        QVERIFY(!fx.window().findChild<QPushButton*>("BtnReg")->isEnabled());
        QVERIFY(fx.window().findChild<QPushButton*>("BtnNet")->isEnabled());
        QVERIFY(fx.window().findChild<QLineEdit*>("EdtCorp")->isReadOnly());
        QVERIFY(!fx.window().findChild<QLineEdit*>("EdtUser")->isReadOnly());
        // The window shows the model: the locked row is greyed and cannot be ticked.
        QListWidgetItem* row = fx.window().tweakLists[0]->item(0);
        QVERIFY(!(row->flags() & Qt::ItemIsUserCheckable));
    }

    void editionSwitchesOffUtilityControls() {
        MiniMachine m;
        m.edition("2000");
        WindowFixture fx(m);
        QVERIFY(!fx.window().findChild<QPushButton*>("BtnMS")->isEnabled());
        QVERIFY(!fx.window().LstHDDefrag->isEnabled());
        QCOMPARE(fx.setting("DisabledItem", "Utility3"), std::string("pre_true"));
        QCOMPARE(fx.setting("DisabledItem", "Desktop9"), std::string("pre_true"));
    }

    void fixedDrivesFillBothDriveListsAndAllLettersWithoutOne() {
        WindowFixture withTwo(MiniMachine{}.drive('E', "Fixed", "NTFS"));
        QCOMPARE(withTwo.window().LstHDDefrag->count(), 2);
        QCOMPARE(withTwo.window().LstHDConvert->item(1)->text(), QString("E ドライブ"));
        QCOMPARE(withTwo.window().LstHDDefrag->currentRow(), -1);

        WindowFixture withNone(MiniMachine{}.drive('C', "Remote", "NTFS"));
        QCOMPARE(withNone.window().LstHDDefrag->count(), 24);
        QCOMPARE(withNone.window().LstHDConvert->item(0)->text(), QString("C ドライブ"));
        QCOMPARE(withNone.window().LstHDConvert->item(23)->text(), QString("Z ドライブ"));
    }

    void smallScreenGivesASmallerResizableWindow() {
        WindowFixture small(MiniMachine{}, {640, 480, 32});
        QCOMPARE(small.window().size(), QSize(590, 430));
        QVERIFY(!(small.window().windowFlags() & Qt::CustomizeWindowHint));
        WindowFixture usual(MiniMachine{}, {800, 600, 32});
        QCOMPARE(usual.window().size(), QSize(659, 525));
        // The usual window has a frame but no title bar of the desktop's.
        QVERIFY(usual.window().windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(usual.window().windowFlags() & (Qt::WindowTitleHint | Qt::FramelessWindowHint)));
    }

    void unwritableSettingsStartWithDefaultsAndSayWhichFile() {
        MiniMachine m = xpWithSystemFiles();
        m.folder(kSettings);  // a folder where the file should be: neither readable nor writable
        WindowFixture fx(m);
        QVERIFY(!fx.startErrors().empty());
        QVERIFY(fx.startErrors().front().find(kSettings) != std::string::npos);
        // Every step still ran, the paths found are known for this run, and the rows the
        // edition switched off stay off although their marks could not be written.
        QCOMPARE(fx.window().LblAll->text(), QString("50"));
        QCOMPARE(fx.session().paths.sysoc, std::string("C:\\WINDOWS\\inf\\sysoc.inf"));
        QVERIFY(!fx.session().model.tweakList(0).rows[9].enabled);
    }

    // From a hard disk the first start asks for F6 and switches speech off; with speech on, a
    // start offers the operation text.
    void theStartUpPromptFollowsTheSetting() {
        for (const auto& [general, spoken, sound] :
             {std::tuple{"", foundation::spoken::kFirstPrompt, "Off"},
              std::tuple{"Sound=On\r\n", foundation::spoken::kF5Prompt, "On"}}) {
            WindowFixture fx(*general ? testing::withGeneralSettings(general) : MiniMachine{});
            fx.setClipboard("before");
            fireStartupTimer(fx.window());
            QCOMPARE(fx.clipboard(), std::string(spoken));
            QCOMPARE(fx.setting("環境設定", "Sound"), std::string(sound));
        }
    }

    void firstStartFromACdRomSpeaksAndWritesNothing() {
        MiniMachine m;
        m.programPath = "D:\\Hastelyn.exe";
        m.drive('D', "CdRom", "CDFS");
        WindowFixture fx(m);
        const std::filesystem::path settings = m.hostPath(fx.folder(), "D:\\Hastelyn.ini");
        const bool existedBefore = std::filesystem::exists(settings);
        fx.setClipboard("before");
        fireStartupTimer(fx.window());
        QCOMPARE(fx.clipboard(), std::string("before"));
        QCOMPARE(std::filesystem::exists(settings), existedBefore);
        QCOMPARE(fx.setting("環境設定", "Sound"), std::string("NULL"));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
