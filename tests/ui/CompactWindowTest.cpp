// The compact window as a user meets it: the strip and its buttons, the performance panel with
// the label texts of several ticks on a machine whose meters follow a script, and when the
// meters are sampled (shown, hidden, minimised, in the tray, with the view open or closed).
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/CommandErrors.h"
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

const char* const kNetwork[] = {"LblReceiveSpeed", "LblSendSpeed"};

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
            QVERIFY2(!button->accessibleName().isEmpty() && !button->icon().isNull(), b.name);
            QVERIFY2(button->focusPolicy() & Qt::TabFocus, b.name);
        }
        QVERIFY(w.BtnPerformance->isCheckable());
        QVERIFY(!w.GrpPerformance->isVisibleTo(&w));
        QCOMPARE(c.texts({"LblCPUUse", "LblMemTotal", "LblHDTotal", "LblReceiveSpeed"}),
                 (QStringList{"## %", "#,### MB", "###,### MB", "###,### Kbps"}));

        // From the keyboard: Tab goes along the strip, Enter presses the focused button.
        QVERIFY(testing::showActive(w));
        w.findChild<QPushButton*>("BtnCompact")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.BtnPerformance);
        QTest::keyClick(w.BtnPerformance, Qt::Key_Return);
        QVERIFY(w.BtnPerformance->isChecked());
        QCOMPARE(w.size(), QSize(286, 402));
        w.BtnPerformance->click();

        // The help pages of the program, through the main window.
        w.findChild<QPushButton*>("BtnHelp")->click();
        QVERIFY(c.fx.journal().find("help\\index.htm") != std::string::npos);
        // Back to the main window, by the button and by a double-click on the picture.
        w.show();
        w.findChild<QPushButton*>("BtnCompact")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(c.fx.window().isVisible());
        w.show();
        QTest::mouseDClick(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!w.isVisible());
    }

    void thePanelShowsTheScriptedFiguresTickByTick() {
        MiniMachine m = scripted(
            "[Tick1]\nIdle=0,0\nInterface1=6,5,7,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
            "MemoryLoad=42\nPhysical=1073741824,0\nVirtual=2147352576,1610612736\nPagingFile=0,0\n"
            "[Tick2]\nIdle=2500000,5000000\n"
            "Interface1=6,10000,20000,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
            "MemoryLoad=100\nPagingFile=3221225472,1610612736\n"
            "[Tick3]\nIdle=3750000,5000000\n"
            "Interface1=6,138000,20256,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
            "[Tick4]\nIdle=16750000,17000000\n");
        m.driveSpace('C', 40'000'000'000, 25'000'000'000);
        CompactFixture c(m);
        ui::TFrmCompact& w = c.compact;
        QVERIFY(testing::showActive(w));
        c.openView();
        QCOMPARE(w.size(), QSize(286, 402));
        QVERIFY(w.GrpPerformance->isVisible());
        QCOMPARE(c.items(w.CmbCPUList), (QStringList{"CPU #1", "CPU #2", "CPU Total"}));
        QCOMPARE(c.items(w.CmbHDList), QStringList{"C: ドライブ"});
        const QString adapter = "Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport";
        QCOMPARE(c.items(w.CmbNICList), QStringList{adapter});
        QCOMPARE(w.CmbNICList->toolTip(), adapter);
        // Every label and bar shows its own figure.
        QCOMPARE(c.texts({"LblCPUUse", "LblMemTotal", "LblMemFree", "LblMemUse", "LblVirtualTotal", "LblVirtualFree",
                          "LblVirtualUse", "LblPageTotal", "LblPageFree", "LblPageUse", "LblHDTotal", "LblHDFree",
                          "LblHDUse", kNetwork[0], kNetwork[1]}),
                 (QStringList{"75 %", "1,024 MB", " MB", "42 %", "2,048 MB", "1,536 MB", "25 %", "#,### MB",
                              "#,### MB", "## %", "38,147 MB", "23,842 MB", "38 %", "0 Kbbs", "0 Kbbs"}));
        QCOMPARE((QList<int>{c.bar("PrgCPUUse"), c.bar("PrgMemUse"), c.bar("PrgVirtualUse"), c.bar("PrgPageUse"),
                             c.bar("PrgHDUse")}),
                 (QList<int>{75, 42, 25, 0, 38}));

        c.tick();
        QCOMPARE(c.texts({"LblCPUUse", "LblMemUse", "LblPageUse", kNetwork[0], kNetwork[1]}),
                 (QStringList{"88 %", "100 %", "50 %", "1,000 Kbbs", "2 Kbbs"}));

        // The total chosen in the list, idle longer than the interval: clamped.
        w.CmbCPUList->setCurrentIndex(2);
        c.tick();
        QCOMPARE(c.text("LblCPUUse"), QString("0 %"));
        QCOMPARE(c.texts({kNetwork[0], kNetwork[1]}), (QStringList{"0 Kbbs", "0 Kbbs"}));

        // Closing empties the lists and keeps the last figures; opening fills them anew.
        w.BtnPerformance->click();
        QCOMPARE(w.size(), QSize(127, 29));
        QCOMPARE(w.CmbCPUList->count() + w.CmbHDList->count() + w.CmbNICList->count(), 0);
        c.openView();
        QCOMPARE(c.items(w.CmbCPUList), (QStringList{"CPU #1", "CPU #2", "CPU Total"}));
        QCOMPARE(w.CmbCPUList->currentIndex(), 0);
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
        w.BtnPerformance->click();
        QVERIFY(!timer->isActive());
        w.hide();
        w.show();
        QVERIFY(!timer->isActive());

        // The main window's performance button opens the view.
        c.fx.window().show();
        c.fx.window().findChild<QPushButton*>("BtnPerformance")->click();
        QVERIFY(!c.fx.window().isVisible());
        QVERIFY(w.isVisible());
        QVERIFY(w.BtnPerformance->isChecked());
        QVERIFY(timer->isActive());
    }

    void aMissingProcessorObjectIsReportedOnce() {
        std::vector<std::string> errors;
        ui::setErrorReporter([&](const std::string& text) { errors.push_back(text); });
        CompactFixture c(scripted("[Tick1]\nMemoryLoad=1\n[Tick2]\nMemoryLoad=2\n[Tick3]\nMemoryLoad=3\n"));
        QVERIFY(testing::showActive(c.compact));
        c.openView();
        c.tick();
        c.tick();
        ui::setErrorReporter({});
        QCOMPARE(errors, std::vector<std::string>{"Unable to locate the \"Processor\" performance object"});
        QCOMPARE(c.compact.CmbCPUList->count(), 0);
        QCOMPARE(c.text("LblMemUse"), QString("3 %"));
        QVERIFY(c.compact.TmrFreq->isActive());
    }
};

QTEST_MAIN(CompactWindowTest)
#include "CompactWindowTest.moc"
