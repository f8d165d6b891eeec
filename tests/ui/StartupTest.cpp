// The main window as start-up leaves it: paths, locks, drive lists, the small screen's window,
// the first start's prompt.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
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
        // Before the first count both show "-".
        ui::TFrmMain fresh(fx.session());
        QCOMPARE(fresh.LblAll->text(), QString("-"));
        QCOMPARE(fresh.LblRest->text(), QString("-"));
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
        testing::bringUpUtilityAndInfoPages(fx.window());
        QVERIFY(!fx.window().findChild<QPushButton*>("BtnReg")->isEnabled());
        QVERIFY(fx.window().findChild<QPushButton*>("BtnNet")->isEnabled());
        QVERIFY(fx.window().findChild<QLineEdit*>("EdtCorp")->isReadOnly());
        QVERIFY(!fx.window().findChild<QLineEdit*>("EdtUser")->isReadOnly());
        // The window shows the model: the locked row is greyed and cannot be ticked.
        QListWidgetItem* row = fx.window().tweakLists[0]->item(0);
        QVERIFY(!(row->flags() & Qt::ItemIsUserCheckable));
    }

    void fixedDrivesFillBothDriveLists() {
        WindowFixture withTwo(MiniMachine{}.drive('E', "Fixed", "NTFS"));
        testing::bringUpUtilityAndInfoPages(withTwo.window());
        QCOMPARE(withTwo.window().LstHDDefrag->count(), 2);
        QCOMPARE(withTwo.window().LstHDConvert->item(1)->text(), QString("E ドライブ"));
        QCOMPARE(withTwo.window().LstHDDefrag->currentRow(), -1);
    }

    void smallScreenGivesASmallerResizableWindowInTheMiddle() {
        WindowFixture small(MiniMachine{}, {640, 480, 32});
        ui::TFrmMain& window = small.window();
        QCOMPARE(window.size(), QSize(590, 430));
        QVERIFY(!(window.windowFlags() & Qt::CustomizeWindowHint));
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(testing::showActive(window));
        // The window with its frame in the middle, as far as the frame (known only once shown)
        // lets the window's own rectangle say where the middle is.
        const QRect frame = window.frameGeometry();
        const int leftGap = frame.left() - free.left(), rightGap = free.right() - frame.right();
        const int topGap = frame.top() - free.top(), bottomGap = free.bottom() - frame.bottom();
        QVERIFY2(std::abs(leftGap - rightGap) <= frame.width() - window.width() + 1 &&
                     std::abs(topGap - bottomGap) <= frame.height() - window.height() + 1,
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        QVERIFY(frame.top() >= free.top());

        WindowFixture usual(MiniMachine{}, {800, 600, 32});
        QCOMPARE(usual.window().size(), QSize(659, 525));
        // The usual window has a frame but no title bar of the desktop's.
        QVERIFY(usual.window().windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(usual.window().windowFlags() & (Qt::WindowTitleHint | Qt::FramelessWindowHint)));
    }

    // From a hard disk the first start asks for F6 and switches speech off.
    void theFirstStartAsksForF6() {
        WindowFixture fx(MiniMachine{});
        fx.setClipboard("before");
        fireStartupTimer(fx.window());
        QCOMPARE(fx.clipboard(), std::string(foundation::spoken::kFirstPrompt));
        QCOMPARE(fx.setting("環境設定", "Sound"), std::string("Off"));
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
