// What the compact window's widgets add to its screen: the strip and its buttons as made from the
// rows, the panel's widgets showing what the screen says, the window's events (shown, hidden,
// minimised, in the tray) reaching the sampling, and the panel kept on the Qt screen.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include "tests/ui/support/WindowFixture.h"
#include "ui/model/CompactTexts.h"
#include "ui/qt/CompactWindow.h"
#include "ui/qt/Forms.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;

namespace {

MiniMachine scripted(std::string script, std::string_view edition = "xp") {
    MiniMachine m;
    m.edition(edition).meters = std::move(script);
    return m;
}

// The windows as the program has them, the compact one with its global.
struct CompactFixture {
    explicit CompactFixture(const MiniMachine& m) : fx(m), compact(fx.session()) {
        ui::FrmMain = &fx.window();
        ui::FrmCompact = &compact;
    }
    ~CompactFixture() {
        ui::FrmMain = nullptr;
        ui::FrmCompact = nullptr;
    }
    QString text(const char* label) const { return compact.findChild<QLabel*>(label)->text(); }
    QStringList texts(std::initializer_list<const char*> labels) const {
        QStringList out;
        for (const char* label : labels) out << text(label);
        return out;
    }
    int bar(const char* name) const { return compact.findChild<QProgressBar*>(name)->value(); }
    QStringList items(QComboBox* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    }
    // One tick of the meters' timer, as it comes every second.
    void tick() { QVERIFY(QMetaObject::invokeMethod(compact.TmrFreq, "timeout")); }
    void openView() {
        compact.BtnPerformance->click();
        QVERIFY(compact.BtnPerformance->isChecked());
    }

    WindowFixture fx;
    ui::TFrmCompact compact;
};

}  // namespace

class CompactWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theStripAndItsButtons() {
        CompactFixture c(MiniMachine{});
        ui::TFrmCompact& w = c.compact;
        QCOMPARE(w.size(), QSize(127, 29));
        QCOMPARE(w.toolTip(), QString("Hastelynコンパクトモード"));
        QCOMPARE(w.Image1->toolTip(), QString("Hastelynコンパクトモード"));
        const struct {
            const char* name;
            int left;
            const char* hint;
        } buttons[] = {
            {"BtnHelp", 24, "ソフトの紹介や使い方が書かれたヘルプを開きます。"},
            {"BtnVersion", 48, "ソフトのバージョンやホームページアドレスなどを表示します。"},
            {"BtnCompact", 72, "Hastelynを元の大きさに戻します。"},
            {"BtnPerformance", 96, "パフォーマンス情報を表示します。"},
            {"BtnTray", 207, "Hastelynをタスクトレイに収納します。"},
            {"BtnMinimum", 231, "Hastelynを最小化します。"},
            {"BtnClose_s", 255, "Hastelynを終了します。"},
        };
        for (const auto& b : buttons) {
            auto* button = w.findChild<QPushButton*>(b.name);
            QVERIFY2(button != nullptr, b.name);
            QCOMPARE(button->geometry(), QRect(b.left, 0, 23, 22));
            QCOMPARE(button->toolTip(), QString(b.hint));
            QVERIFY2(!button->icon().isNull(), b.name);
        }
        // Every widget carries the name its row gives a screen reader.
        for (const ui::model::Control* row : ui::model::compact::kAll)
            QCOMPARE(w.widget(*row)->accessibleName().toStdString(), std::string(ui::model::compact::readName(*row)));
        QVERIFY(w.BtnPerformance->isCheckable());
        QVERIFY(!w.GrpPerformance->isVisibleTo(&w));

        // The help pages of the program, through the main window.
        w.findChild<QPushButton*>("BtnHelp")->click();
        QVERIFY(c.fx.journal().find("help\\index.htm") != std::string::npos);
        // Back to the main window by a double-click on the picture (by the button: the keyboard walk).
        w.show();
        QTest::mouseDClick(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!w.isVisible());
    }

    void thePanelsWidgetsShowTheMetersTickByTick() {
        MiniMachine m = scripted(
            "[Tick1]\nIdle=0,0\nInterface1=6,5,7,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
            "MemoryLoad=42\n[Tick2]\nIdle=2500000,5000000\nMemoryLoad=100\n[Tick3]\nIdle=3750000,5000000\n");
        CompactFixture c(m);
        ui::TFrmCompact& w = c.compact;
        QVERIFY(testing::showActive(w));
        c.openView();
        QCOMPARE(w.size(), QSize(286, 402));
        QVERIFY(w.GrpPerformance->isVisible());
        QCOMPARE(c.items(w.CmbCPUList), (QStringList{"CPU #1", "CPU #2", "CPU Total"}));
        QCOMPARE(w.CmbNICList->toolTip(), QString("Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport"));
        QCOMPARE(c.texts({"LblCPUUse", "LblMemUse"}), (QStringList{"75 %", "42 %"}));
        QCOMPARE(c.bar("PrgCPUUse"), 75);

        // A choice in a list reaches the meters; the timer's tick refreshes the labels.
        w.CmbCPUList->setCurrentIndex(2);
        QCOMPARE(w.meters().cpuList().selected, 2);
        c.tick();
        QCOMPARE(c.texts({"LblCPUUse", "LblMemUse"}), (QStringList{"94 %", "100 %"}));

        // Closing empties the lists; opening fills them anew.
        w.BtnPerformance->click();
        QCOMPARE(w.size(), QSize(127, 29));
        QCOMPARE(w.CmbCPUList->count() + w.CmbHDList->count() + w.CmbNICList->count(), 0);
        c.openView();
        QCOMPARE(w.CmbCPUList->currentIndex(), 0);
    }

    // The main window's performance button opens the view, over the middle of the main window;
    // opened from the strip at the foot of the screen, the panel moves up onto the screen.
    void theMainWindowOpensThePanelAndThePanelStaysOnTheScreen() {
        CompactFixture c(scripted("[Tick1]\nIdle=0\n"));
        ui::TFrmCompact& w = c.compact;
        c.fx.window().show();
        c.fx.window().findChild<QPushButton*>("BtnPerformance")->click();
        QVERIFY(!c.fx.window().isVisible());
        QVERIFY(w.BtnPerformance->isChecked());
        QVERIFY(w.TmrFreq->isActive());
        const QRect area = w.screen()->availableGeometry();
        QVERIFY(area.contains(w.frameGeometry()));
        w.BtnPerformance->click();
        w.move(area.right() - 150, area.bottom() - 40);
        c.openView();
        QVERIFY2(area.contains(w.frameGeometry()),
                 qPrintable(QStringLiteral("%1 px below the screen").arg(w.frameGeometry().bottom() - area.bottom())));
    }

    void windows95ShowsNoAdaptersAndNoDiskWithoutAFixedDrive() {
        MiniMachine m = scripted("[Tick1]\nCpuUsage=250\n", "95");
        m.drive('C', "CdRom", "CDFS");
        CompactFixture c(m);
        QVERIFY(testing::showActive(c.compact));
        c.openView();
        for (QComboBox* list : {c.compact.CmbHDList, c.compact.CmbNICList}) {
            QVERIFY(list->isEditable());
            QCOMPARE(list->currentText(), QString("未対応"));
        }
        QCOMPARE(c.items(c.compact.CmbCPUList), QStringList{"CPU #1"});
    }

    void samplingRunsExactlyWhileShownWithTheViewOpen() {
        CompactFixture c(scripted("[Tick1]\nIdle=0\n"));
        ui::TFrmCompact& w = c.compact;
        QTimer* timer = w.TmrFreq;
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(testing::showActive(w));
        QVERIFY(!timer->isActive());
        c.openView();
        QVERIFY(timer->isActive());
        w.hide();
        QVERIFY(!timer->isActive());
        w.show();
        QVERIFY(timer->isActive());
        w.findChild<QPushButton*>("BtnMinimum")->click();
        QVERIFY(!timer->isActive());
        // Restored from minimised, the window samples again.
        w.showNormal();
        QVERIFY(timer->isActive());
        w.trayAvailable = [] { return true; };
        w.findChild<QPushButton*>("BtnTray")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(!timer->isActive());
        w.trayActivated(QSystemTrayIcon::Context);
        QVERIFY(!w.isVisible());
        w.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(w.isVisible());
        QVERIFY(timer->isActive());
    }
};

QTEST_MAIN(CompactWindowTest)
#include "CompactWindowTest.moc"
