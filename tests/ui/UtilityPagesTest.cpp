// The utilities page and the PC information page: which buttons each edition offers and what
// each starts (read back from journal.log), the missing drive, the fields, the change and detail
// buttons, and the Tab walk with its spoken texts.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sstream>

#include "engine/PcInformation.h"
#include "engine/Utilities.h"
#include "ui/model/MainPagesControls.h"
#include "tests/ui/support/WindowFixture.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::kSettings;

namespace {

const char* const kButtons[] = {"BtnWMP6", "BtnNet",    "BtnMS",     "BtnIP",        "BtnGroup",
                                "BtnReg",  "BtnDiskMgmt", "BtnFormat", "BtnCUIDefrag", "BtnConvert"};

std::string open(const std::string& file) { return "ShellExecute\topen\t" + file + "\t\t\t1"; }
std::string exec(const std::string& line) { return "WinExec\t1\t" + line; }
const std::string kConvert = exec("cmd /k %SystemRoot%\\system32\\convert C: /fs:ntfs /v");

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// What clicking the button added to journal.log, one line (empty when nothing).
std::string clickAndRead(WindowFixture& fx, const char* name) {
    const std::size_t before = lines(fx.journal()).size();
    fx.window().findChild<QPushButton*>(name)->click();
    const std::vector<std::string> after = lines(fx.journal());
    std::string added;
    for (std::size_t i = before; i < after.size(); ++i) added += (added.empty() ? "" : "\n") + after[i];
    return added;
}

std::vector<QString> tabWalk(QWidget* first, int steps, std::vector<std::string>* spoken, WindowFixture& fx) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QString> names{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < steps; ++i) {
        fx.setClipboard("");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.push_back(QApplication::focusWidget()->objectName());
        if (spoken != nullptr) spoken->push_back(fx.clipboard());
    }
    return names;
}

}  // namespace

class UtilityPagesTest : public QObject {
    Q_OBJECT
private slots:
    // Per edition: the buttons and the defrag list enabled, and the exact start of each enabled
    // button ("" for a disabled one, marked locked), with C chosen in both lists and the
    // quick-format box ticked.
    void eachEditionOffersItsToolsAndStartsTheirCommands() {
        const std::string winipcfg = open("winipcfg"), ipconfig = exec("cmd /k ipconfig");
        const std::string format9x = exec("command.com /k format a: /q"), formatNt = exec("cmd /k format a: /q");
        const struct {
            const char* edition;
            bool defragList;
            std::array<std::string, 10> started;
        } cases[] = {
            {"95", true, {open("mplayer2"), open("conf"), "", winipcfg, "", open("regedit"), "", format9x,
                          exec("defrag C: /noprompt /f"), ""}},
            {"98", true, {open("mplayer2"), open("conf"), open("msconfig"), winipcfg, "", open("regedit"), "", format9x,
                          exec("defrag C: /noprompt /f"), ""}},
            {"me", true, {open("mplayer2"), open("conf"), open("msconfig"), winipcfg, "", open("regedit"), "", format9x,
                          exec("defrag C: /noprompt /f"), ""}},
            {"nt4", true, {open("mplayer2"), open("conf"), "", ipconfig, "", open("regedit"), "", formatNt,
                           open("dfrg.msc"), kConvert}},
            {"2000", false, {open("mplayer2"), open("conf"), "", ipconfig, open("gpedit.msc"), open("regedit"),
                             open("diskmgmt.msc"), formatNt, open("dfrg.msc"), kConvert}},
            {"xp", true, {open("mplayer2"), open("conf"), open("msconfig"), ipconfig, open("gpedit.msc"), open("regedit"),
                          open("diskmgmt.msc"), formatNt, exec("cmd /k defrag C: -v -f"), kConvert}},
            {"2003", true, {open("mplayer2"), open("conf"), open("msconfig"), ipconfig, open("gpedit.msc"),
                            open("regedit"), open("diskmgmt.msc"), formatNt, open("dfrg.msc"), kConvert}},
        };
        for (const auto& c : cases) {
            MiniMachine m;
            m.edition(c.edition);
            WindowFixture fx(m);
            ui::TFrmMain& window = fx.window();
            testing::bringUpUtilityAndInfoPages(window);
            window.LstHDDefrag->setCurrentRow(0);
            window.LstHDConvert->setCurrentRow(0);
            window.ChcQuickFormat->setChecked(true);
            QVERIFY2(window.LstHDDefrag->isEnabled() == c.defragList, c.edition);
            for (std::size_t i = 0; i < 10; ++i) {
                const bool enabled = window.findChild<QPushButton*>(kButtons[i])->isEnabled();
                QVERIFY2(enabled == !c.started[i].empty(), (std::string(c.edition) + " " + kButtons[i]).c_str());
                if (enabled)
                    QCOMPARE(clickAndRead(fx, kButtons[i]), c.started[i]);
                else
                    QCOMPARE(fx.setting("DisabledItem", "Utility" + std::to_string(i + 1)), std::string("pre_true"));
            }
        }
    }

    void formatWithoutQuickALockedButtonAndAMissingTool() {
        MiniMachine m;
        m.file(kSettings, "[DisabledItem]\r\nUtility8=true\r\nUtility3=pre_true\r\n");
        m.shell("Missing", "msconfig");
        WindowFixture fx(m);
        testing::bringUpUtilityAndInfoPages(fx.window());
        QVERIFY(!fx.window().findChild<QPushButton*>("BtnFormat")->isEnabled());
        QVERIFY(fx.window().findChild<QPushButton*>("BtnMS")->isEnabled());
        // A tool the machine lacks is not started, and nobody is told.
        QCOMPARE(clickAndRead(fx, "BtnMS"), open("msconfig") + "\nNotStarted\tmsconfig\t2");
        QVERIFY(fx.dialogs().shown.empty());
        fx.window().findChild<QPushButton*>("BtnFormat")->setEnabled(true);
        QCOMPARE(clickAndRead(fx, "BtnFormat"), exec("cmd /k format a:"));
        // Group policy on the 9x family starts nothing, even with its button enabled by hand.
        MiniMachine nine;
        nine.edition("98");
        WindowFixture ninex(nine);
        testing::bringUpUtilityAndInfoPages(ninex.window());
        ninex.window().findChild<QPushButton*>("BtnGroup")->setEnabled(true);
        QCOMPARE(clickAndRead(ninex, "BtnGroup"), std::string());
    }

    void noChosenDriveAsksForOneAndStartsNothing() {
        WindowFixture fx(testing::withGeneralSettings("Sound=On\r\n"));
        testing::bringUpUtilityAndInfoPages(fx.window());
        for (const char* name : {"BtnCUIDefrag", "BtnConvert"}) {
            fx.dialogs().shown.clear();
            QCOMPARE(clickAndRead(fx, name), std::string());
            QCOMPARE(fx.dialogs().shown.size(), std::size_t{1});
            QVERIFY(fx.dialogs().shown[0] == std::pair(foundation::DialogKind::Error, std::string(engine::kChooseDriveText)));
            QCOMPARE(fx.clipboard(), std::string(engine::kChooseDriveSpoken));
        }
    }

    void theInformationPageShowsChangesAndStartsTheTool() {
        MiniMachine m;
        m.hive(platform::RootKey::LocalMachine,
               {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]", "\"RegisteredOwner\"=\"山田 太郎\""});
        m.file(kSettings, "[DisabledItem]\r\nPCInfo3=true\r\n");
        WindowFixture fx(m);
        ui::TFrmMain& window = fx.window();
        // The page's controls are made, and the fields read, when the page comes up.
        QVERIFY(window.infoFields[0] == nullptr);
        window.findChild<QPushButton*>("BtnInfo")->click();
        QCOMPARE(window.infoFields[0]->text(), QString("山田 太郎"));
        QCOMPARE(window.infoFields[1]->text(), QString("NULL"));
        QVERIFY(window.infoFields[2]->isReadOnly());
        QVERIFY(window.infoFields[5]->isReadOnly());
        QCOMPARE(window.infoFields[2]->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));

        window.infoFields[0]->setText("ソニー 花子");
        window.findChild<QPushButton*>("BtnChange")->click();
        QCOMPARE(engine::ReadPcInformation(fx.session())[0], std::string("ソニー 花子"));
        // "NULL" in the organisation wrote an empty one, which reads "NULL" again.
        QCOMPARE(engine::ReadPcInformation(fx.session())[1], std::string("NULL"));
        QCOMPARE(clickAndRead(fx, "BtnDetail"), open("msinfo32"));
    }

    // With the two rows of tabs the pages are lower than drawn: every control still lies
    // inside its page, and each information field beside its row.
    void bothPagesFitTheirPage() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        for (const char* button : {"BtnUtility", "BtnInfo"}) {
            window.findChild<QPushButton*>(button)->click();
            QWidget* page = window.PgAccel->currentWidget();
            for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (control != window.LstUtility && control != window.LstInfo)
                    QVERIFY2(control->geometry().bottom() < page->height(), qPrintable(control->objectName()));
        }
        for (int i = 0; i < 10; ++i) {
            const QRect row = window.LstInfo->visualItemRect(window.LstInfo->item(i));
            const int middle = window.infoFields[static_cast<std::size_t>(i)]->geometry().center().y();
            QVERIFY2(middle >= row.top() && middle <= row.bottom() + 5, qPrintable(QString::number(i)));
            QVERIFY(row.bottom() < window.LstInfo->viewport()->height());
        }
    }

    // Tab goes through each page's controls in their rows' order; the buttons and fields that
    // have a text speak it, the others leave the clipboard alone.
    void theTabWalkAndItsSpokenTexts() {
        WindowFixture fx(testing::withGeneralSettings("Sound=On\r\n"));
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));

        // The information page made first: the walk through the utilities page still ends at
        // the window's controls after the pages.
        window.findChild<QPushButton*>("BtnInfo")->click();
        window.findChild<QPushButton*>("BtnUtility")->click();
        std::vector<std::string> spoken;
        // The pages' controls are made when the page comes up; the walk goes on to the window's
        // controls after the pages all the same.
        std::vector<QString> walk = tabWalk(window.LstUtility, 15, &spoken, fx);
        const std::vector<QString> utility = {"LstUtility", "BtnWMP6",    "BtnNet",    "BtnMS",        "BtnIP",
                                              "BtnGroup",   "BtnReg",     "BtnDiskMgmt", "BtnFormat", "BtnCUIDefrag",
                                              "BtnConvert", "LstHDDefrag", "LstHDConvert", "ChcQuickFormat", "BtnAccelerate"};
        QCOMPARE(walk, utility);
        for (std::size_t i = 0; i < engine::kUtilityCount; ++i)
            QCOMPARE(spoken[i], std::string(ui::model::pages::kUtilityButtons[i]->spoken));
        QCOMPARE(spoken[10], std::string());
        QCOMPARE(spoken[12], std::string());

        window.findChild<QPushButton*>("BtnInfo")->click();
        spoken.clear();
        walk = tabWalk(window.LstInfo, 14, &spoken, fx);
        std::vector<QString> info = {"LstInfo"};
        for (const engine::PcInfoRow& row : engine::pcInfoRows()) info.push_back(row.name);
        info.insert(info.end(), {"BtnChange", "BtnDetail", "BtnAccelerate"});
        QCOMPARE(walk, info);
        for (std::size_t i = 0; i < engine::kPcInfoFieldCount; ++i)
            QCOMPARE(spoken[i], std::string(ui::model::pages::kInfoFields[i]->spoken));
        QCOMPARE(spoken[10], std::string(ui::model::pages::BtnChange.spoken));
        QCOMPARE(spoken[11], std::string(ui::model::pages::BtnDetail.spoken));
    }
};

QTEST_MAIN(UtilityPagesTest)
#include "UtilityPagesTest.moc"
