// The options window: every page loaded from the settings file and written back by its apply
// button, the locks reaching the main window at once, the file and colour dialogs, the links,
// the wheel, the spoken texts, the tab order and closing.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "foundation/ColorText.h"
#include "foundation/LockedItems.h"
#include "tests/support/OptionsKeyWalk.h"
#include "tests/ui/support/FileBrowserAnswer.h"
#include "tests/ui/support/MouseWheel.h"
#include "tests/ui/support/SideWindowSet.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/SideWindows.h"
#include "ui/model/OptionsDisplay.h"
#include "ui/qt/Widgets.h"

using namespace hastelyn;
using foundation::DialogKind;
using testing::MiniMachine;
using testing::WindowFixture;
using AllWindows = testing::SideWindowSet;
using testing::background;
using testing::kSettings;

namespace {

MiniMachine withSettings(const std::string& text, const char* edition = "xp") {
    MiniMachine m;
    m.edition(edition).file(kSettings, text);
    m.service("Alpha", "Alpha Service", 2).service("Beta", "Beta Service", 3);
    return m;
}

template <typename W>
W* child(QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(name);
    if (widget == nullptr) qFatal("no %s", name);
    return widget;
}

// The colour of a label's text as drawn on its panel: the pixel farthest from the panel's colour.
QColor textColour(QWidget* label, std::uint32_t panel) {
    const QImage image = label->parentWidget()->grab(label->geometry()).toImage();
    const QColor back = ui::windowsColor(panel);
    QPoint best;
    int distance = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int d = std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) + std::abs(c.blue() - back.blue());
            if (d > distance) std::tie(best, distance) = std::pair(QPoint(x, y), d);
        }
    return image.pixelColor(best);
}

QColor swatch(ui::TFrmSub& sub, std::size_t i) { return sub.colorSwatches[i]->palette().color(QPalette::Base); }

// The six targets' colours now: title, menu, accel, options, save-and-restore, compact.
std::array<QColor, 6> targetColors(WindowFixture& fx, AllWindows& w) {
    return {background(fx.window().PnlTitle), child<ui::MenuShape>(fx.window(), "ShpMenu")->colour(),
            background(child<QWidget>(fx.window(), "PnlAccel")), background(&w.sub), background(&w.restore),
            background(&w.compact)};
}

// Counts the times a window is hidden.
struct HideWatch : QObject {
    int hides = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

class FakeFileDialog : public engine::FileOpenDialog {
public:
    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override {
        asked.push_back(std::string(title) + "|" + std::string(filter) + "|" + std::string(folder));
        return answer;
    }
    std::vector<std::string> asked;
    std::optional<std::string> answer;
};

// The options window's keyboard walk (tests/support/OptionsKeyWalk.h), each key at the focused widget.
class QtFront : public testing::optionswalk::Front {
public:
    QtFront(ui::TFrmSub& sub, WindowFixture& fx) : sub_(sub), fx_(fx) {}
    void press(testing::optionswalk::Key key) override {
        using K = testing::optionswalk::Key;
        const Qt::Key code = key == K::Tab || key == K::ShiftTab ? Qt::Key_Tab
                             : key == K::Left                    ? Qt::Key_Left
                             : key == K::Right                   ? Qt::Key_Right
                             : key == K::Space                   ? Qt::Key_Space
                                                                 : Qt::Key_Escape;
        QTest::keyClick(QApplication::focusWidget(), code, key == K::ShiftTab ? Qt::ShiftModifier : Qt::NoModifier);
    }
    std::string clipboard() override { return fx_.clipboard(); }
    std::string focusedName() override {
        QWidget* focused = QApplication::focusWidget();
        if (focused == sub_.PgOption->tabBar()) return "PgOption";
        return focused != nullptr ? focused->objectName().toStdString() : std::string();
    }
    bool shown() override { return sub_.isVisible(); }
    bool speechOutputBox() override { return true; }

private:
    ui::TFrmSub& sub_;
    WindowFixture& fx_;
};

}  // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void generalPageAppliesWhatItsControlsSay() {
        // Made before the first start's prompt; F6 then switches speech on, and 適用 keeps it on.
        WindowFixture fx(withSettings(""));
        AllWindows w(fx);
        ui::TFrmSub& sub = w.sub;
        fx.session().settings.write("環境設定", "Sound", "On");
        sub.showPage("TbOption");
        sub.BtnOKO->click();
        QCOMPARE(fx.setting("環境設定", "Sound"), std::string("On"));
        sub.hide();
        sub.box("ChcSound")->setChecked(false);
        sub.BtnOKO->click();
        QCOMPARE(sub.EdtSysocPath->text(), QString("NULL"));  // absent paths as read
        QCOMPARE(sub.PgOption->currentWidget(), sub.TbOption);
        const std::pair<const char*, int> buttons[] = {{"RdFontA", 8}, {"RdFontS", 9}, {"RdFontM", 10}, {"RdFontL", 11}, {"RdFontG", 12}};
        for (const auto& [button, size] : buttons) {
            child<QRadioButton>(sub, button)->setChecked(true);
            sub.BtnOKO->click();
            QCOMPARE(fx.setting("環境設定", "FontSize"), std::to_string(size));
            QCOMPARE(fx.window().Comment->font().pointSize(), size);
        }

        // Each box to its key and back: ticked, then unticked (deleted, or "Sound" = "Off").
        const std::tuple<const char*, const char*, const char*, const char*> boxes[] = {
            {"ChcLineFeed", "LineFeed", "Off", "NULL"},   {"ChcCommentHint", "CommentHint", "On", "NULL"},
            {"ChcReboot", "DlgReboot", "On", "NULL"},     {"ChcInform", "DlgInform", "Off", "NULL"},
            {"ChcSound", "Sound", "On", "Off"},           {"ChcAutoRestore", "AutoRestore", "Off", "NULL"}};
        for (const auto& [name, key, ticked, unticked] : boxes) {
            QCheckBox* box = child<QCheckBox>(sub, name);
            QVERIFY2(!box->isChecked(), name);
            box->setChecked(true);
            sub.BtnOKO->click();
            QCOMPARE(fx.setting("環境設定", key), std::string(ticked));
            box->setChecked(false);
            sub.BtnOKO->click();
            QCOMPARE(fx.setting("環境設定", key), std::string(unticked));
        }
        QCOMPARE(fx.window().Comment->toolTipDuration(), 2500);
        sub.box("ChcCommentHint")->setChecked(true);
        sub.BtnOKO->click();
        QCOMPARE(fx.window().Comment->toolTipDuration(), 300000);

        // Paths are written as typed, unchecked; the running program keeps the ones it found.
        const std::string bootFound = fx.session().paths.boot;
        sub.EdtBootPath->setText("Q:\\nowhere\\boot.ini");
        sub.BtnOKO->click();
        QCOMPARE(fx.setting("環境設定", "BootPath"), std::string("Q:\\nowhere\\boot.ini"));
        QCOMPARE(fx.session().paths.boot, bootFound);
    }

    void browseButtonsUseTheMachinesFileDialog() {
        WindowFixture fx(withSettings("[環境設定]\r\nSysocPath=C:\\WINDOWS\\inf\\sysoc.inf\r\n")
                             .file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\n"));
        AllWindows w(fx);
        FakeFileDialog dialog;
        w.sub.setFileOpenDialog(&dialog);
        dialog.answer = "C:\\boot.ini";
        w.sub.BtnBootPath->click();
        dialog.answer = std::nullopt;
        w.sub.BtnSysocPath->click();  // cancelled: the edit keeps its text
        QCOMPARE(dialog.asked, (std::vector<std::string>{"boot.inファイルを指定してください。|boot.ini|boot.ini|C:\\",
                                                         "sysoc.infファイルを指定してください。|sysoc.inf|sysoc.inf|C:\\WINDOWS\\inf"}));
        QCOMPARE(w.sub.EdtBootPath->text(), QString("C:\\boot.ini"));
        QCOMPARE(w.sub.EdtSysocPath->text(), QString("C:\\WINDOWS\\inf\\sysoc.inf"));
        QCOMPARE(fx.setting("環境設定", "BootPath"), std::string("NULL"));  // nothing written before apply

        // The real dialog lists the machine's own folder and gives back a machine path.
        w.sub.setFileOpenDialog(nullptr);
        AllWindows real(fx);
        testing::BrowserAnswer browser;
        browser.answerLater(QString("sysoc.inf"));
        real.sub.BtnSysocPath->click();
        QVERIFY(browser.names.contains("sysoc.inf"));
        QCOMPARE(real.sub.EdtSysocPath->text(), QString("C:\\WINDOWS\\inf\\sysoc.inf"));
    }

    void lockedItemsPageLoadsAndLocksTheMainWindowAtOnce() {
        {
            // Every row the edition switched off was marked at start and shows ticked and fixed.
            WindowFixture fx(withSettings("[DisabledItem]\r\n", "98"));
            AllWindows w(fx);
            int editionLocked = 0;
            for (std::size_t list = 0; list < engine::kTweakCategoryCount; ++list) {
                const auto& rows = fx.session().model.tweakList(list).rows;
                for (std::size_t row = 0; row < rows.size() && row < 10; ++row) {
                    if (rows[row].enabled) continue;
                    QCOMPARE(fx.setting("DisabledItem", foundation::tweakRowKey(list, row)), std::string("pre_true"));
                    QCheckBox* box = w.sub.box("Chc" + foundation::tweakRowKey(list, row));
                    QVERIFY(box->isChecked() && !box->isEnabled());
                    ++editionLocked;
                }
            }
            QVERIFY(editionLocked > 0);
        }
        WindowFixture fx(withSettings("[DisabledItem]\r\nDesktop2=true\r\nOthers4=pre_true\r\nUtility3=yes\r\n"));
        AllWindows w(fx);
        ui::TFrmSub& sub = w.sub;
        QCOMPARE(sub.lockBoxes.size(), std::size_t(64));
        QVERIFY(sub.box("ChcDesktop2")->isChecked() && sub.box("ChcDesktop2")->isEnabled());
        QVERIFY(sub.box("ChcOthers4")->isChecked() && !sub.box("ChcOthers4")->isEnabled());
        QVERIFY(!sub.box("ChcUtility3")->isChecked());
        QVERIFY(sub.box("ChcService")->isChecked());  // absent: the services list is locked
        QVERIFY(sub.box("ChcDesktop5")->isEnabled());

        QVERIFY(!fx.session().model.services().rows.front().enabled);
        sub.box("ChcService")->setChecked(false);
        sub.box("ChcDesktop2")->setChecked(false);
        sub.box("ChcDesktop5")->setChecked(true);
        sub.box("ChcUtility1")->setChecked(true);
        sub.box("ChcPCInfo1")->setChecked(true);
        sub.BtnOKD->click();
        QCOMPARE(fx.setting("DisabledItem", "Others4"), std::string("pre_true"));
        ui::TFrmMain& main = fx.window();
        QVERIFY(main.LstService->item(0)->flags() & Qt::ItemIsEnabled);
        QVERIFY(fx.session().model.services().rows.front().enabled);
        QVERIFY(fx.session().model.tweakList(1).rows[1].enabled);
        QVERIFY(!fx.session().model.tweakList(1).rows[4].enabled);
        // The pages made after the change show it.
        testing::bringUpUtilityAndInfoPages(main);
        QVERIFY(!main.utilityButtons[0]->isEnabled());
        QVERIFY(main.infoFields[0]->isReadOnly());

        sub.box("ChcService")->setChecked(true);
        sub.box("ChcPCInfo1")->setChecked(false);
        sub.BtnOKD->click();
        QVERIFY(!fx.session().model.services().rows.front().enabled);
        QVERIFY(!main.infoFields[0]->isReadOnly());
    }

    void transparencyControlsStayInStepAndApply() {
        // Never set: the bar stands opaque and applying leaves the window as it is.
        WindowFixture fx(withSettings("[環境設定]\r\nSound=Off\r\n"));
        AllWindows w(fx);
        ui::TFrmSub& sub = w.sub;
        QCOMPARE(sub.ScrTrans->value(), 255);
        QCOMPARE(sub.EdtTrans->text(), QString());
        sub.BtnOKH->click();
        QCOMPARE(fx.window().windowOpacity(), 1.0);
        QVERIFY(fx.dialogs().shown.empty());
        QCOMPARE(fx.setting("環境設定", "Transparent"), std::string("NULL"));

        QTest::keyClicks(sub.EdtTrans, "300");
        QCOMPARE(sub.ScrTrans->value(), 255);
        QCOMPARE(sub.EdtTrans->text(), QString("255"));
        sub.ScrTrans->setValue(200);
        QCOMPARE(sub.EdtTrans->text(), QString("200"));
        sub.BtnOKH->click();
        QCOMPARE(fx.window().windowOpacity(), 200 / 255.0);
        QCOMPARE(fx.setting("環境設定", "Transparent"), std::string("200"));
    }

    void colourStylesSetTheSixTargetsAndKeys() {
        WindowFixture fx(withSettings("[環境設定]\r\nTransparent=255\r\n"));
        AllWindows w(fx);
        fx.window().show();
        w.sub.showPage("TbOption");
        QVERIFY(QTest::qWaitForWindowExposed(&w.sub));
        // Nothing is hidden to be repainted: the options window, owned by the main window, would
        // stay unpainted on X until shown anew.
        HideWatch watch;
        fx.window().installEventFilter(&watch);
        // Every fixed style, then Default again: the six targets take its colours, the window
        // its background at once, and every text on a panel a colour that reads there.
        for (std::size_t s = 1; s <= engine::kColorStyles.size(); ++s) {
            const engine::ColorStyle& style = engine::kColorStyles[s % engine::kColorStyles.size()];
            w.sub.styleButtons[s % engine::kColorStyles.size()]->setChecked(true);
            w.sub.BtnOKH->click();
            const auto now = targetColors(fx, w);
            for (std::size_t i = 0; i < 6; ++i) {
                QCOMPARE(now[i], ui::windowsColor(style.colors[i]));
                QCOMPARE(swatch(w.sub, i), ui::windowsColor(style.colors[i]));
            }
            QCOMPARE(background(w.sub.PnlFocus), ui::windowsColor(style.colors[3]));
            QCOMPARE(w.sub.grab().toImage().pixelColor(2, 2), ui::windowsColor(style.colors[3]));
            const std::pair<QWidget*, ui::model::ColourTarget> texts[] = {
                {w.sub.LblSite, ui::model::ColourTarget::Sub},
                {child<QLabel>(fx.window(), "Label2"), ui::model::ColourTarget::Accel},
                {fx.window().LblAll, ui::model::ColourTarget::Accel}};
            for (const auto& [label, target] : texts) {
                const std::uint32_t panel = style.colors[static_cast<std::size_t>(target)];
                const QColor drawn = textColour(label, panel);
                QVERIFY2(drawn == ui::windowsColor(ui::model::textColourOn(target, label->objectName().toStdString(), panel)),
                         qPrintable(label->objectName() + " " + ui::u8(style.name) + " " + drawn.name()));
            }
        }
        QCOMPARE(fx.setting("環境設定", "TitleColor"), std::string("$00639AFF"));
        QCOMPARE(watch.hides, 0);
        QVERIFY(w.sub.isVisible());

        // A colour picked: 任意 selected, applied as "Optional" with the six swatches.
        std::vector<QColor> offered;
        w.sub.setColorChooser([&](const QColor& initial) -> std::optional<QColor> {
            offered.push_back(initial);
            return QColor(1, 2, 3);
        });
        QTest::mouseClick(w.sub.colorLabels[1], Qt::LeftButton);
        QVERIFY(child<QRadioButton>(w.sub, "RdOptional")->isChecked());
        QCOMPARE(offered, std::vector<QColor>{ui::windowsColor(0x9CCFCE)});
        QCOMPARE(fx.setting("環境設定", "MenuColor"), std::string("$009CCFCE"));  // not before apply
        w.sub.BtnOKH->click();
        QCOMPARE(fx.setting("環境設定", "ColorStyle"), std::string("Optional"));
        QCOMPARE(fx.setting("環境設定", "MenuColor"), std::string("$00030201"));
        QCOMPARE(child<ui::MenuShape>(fx.window(), "ShpMenu")->colour(), QColor(1, 2, 3));
        w.sub.setColorChooser([](const QColor&) { return std::optional<QColor>(); });
        QTest::mouseClick(w.sub.colorLabels[0], Qt::LeftButton);  // cancelled: nothing changes
        QCOMPARE(swatch(w.sub, 0), ui::windowsColor(0x639AFF));

        // The stored style and colours come back in a new window; bad colour texts are left.
        fx.session().settings.write("環境設定", "TitleColor", "$1FFFFFFFF");
        AllWindows reopened(fx);
        QVERIFY(child<QRadioButton>(reopened.sub, "RdOptional")->isChecked());
        QCOMPARE(swatch(reopened.sub, 1), QColor(1, 2, 3));
        QCOMPARE(swatch(reopened.sub, 0), QColor(Qt::white));
    }

    void pageStyleReachesTheThreePageControls() {
        WindowFixture fx(withSettings("[環境設定]\r\nTabStyle=Buttons\r\n"));
        AllWindows w(fx);
        QVERIFY(child<QRadioButton>(w.sub, "RdButtons")->isChecked());
        for (const auto& [button, stored] : {std::pair{"RdFlatButtons", "FlatButtons"}, std::pair{"RdButtons", "Buttons"},
                                             std::pair{"RdTabs", "Tabs"}}) {
            child<QRadioButton>(w.sub, button)->setChecked(true);
            w.sub.BtnOKH->click();
            QCOMPARE(fx.setting("環境設定", "TabStyle"), std::string(stored));
            const QString sheet = w.sub.PgOption->styleSheet();
            QCOMPARE(sheet.isEmpty(), std::string(stored) == "Tabs");
            QCOMPARE(fx.window().PgAccel->styleSheet(), sheet);
            QCOMPARE(w.restore.PgRestore->styleSheet(), sheet);
        }
    }

    void wheelLinksHiddenPageSpokenTextsTabOrderAndClosing() {
        WindowFixture fx(withSettings("[環境設定]\r\nSound=On\r\n"));
        AllWindows w(fx);
        ui::TFrmSub& sub = w.sub;
        fx.setClipboard("before");
        QTabWidget* pages = sub.PgOption;
        // Before the reveal the version page is the last; the wheel over any control turns.
        testing::turnWheel(sub.EdtBootPath, 120);
        QCOMPARE(pages->currentWidget(), sub.TbVersion);
        testing::turnWheel(sub.BtnOKV, -120);
        QCOMPARE(pages->currentIndex(), 0);
        testing::turnWheel(sub.BtnOKO, -120);
        QCOMPARE(pages->currentWidget(), sub.TbDisabled);
        sub.BtnHidden->click();
        QVERIFY(pages->isTabVisible(3));
        QCOMPARE(pages->currentWidget(), sub.TbHidden);
        testing::turnWheel(sub.ScrTrans, -120);
        QCOMPARE(pages->currentIndex(), 0);
        testing::turnWheel(sub.TbOption, 120);
        QCOMPARE(pages->currentWidget(), sub.TbHidden);
        QCOMPARE(fx.clipboard(), std::string("before"));  // the wheel says nothing

        sub.LblUrl->click();
        sub.LblSupport->click();
        const std::string journal = fx.journal();
        QVERIFY(journal.find("ShellExecute\topen\thttps://www.pelmora.jp/\t\t\t1") != std::string::npos);
        QVERIFY(journal.find("ShellExecute\topen\thttps://www.pelmora.jp/forum/\t\t\t1") != std::string::npos);
        QCOMPARE(sub.LblSupport->text(), QString("Pelmora サポート掲示板"));

        sub.showPage("TbOption");
        QVERIFY(QTest::qWaitForWindowExposed(&sub));
        QVERIFY(QTest::qWaitFor([&] { return sub.isActiveWindow(); }));
        // Centred on the main window (an odd size rounds either way).
        const QPoint off = sub.geometry().center() - fx.window().geometry().center();
        QVERIFY(std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2);
        QCOMPARE(sub.size(), QSize(449, 410));
        QCOMPARE(fx.clipboard(), std::string("環境設定ウィンドウを開きました。Tabキーを押すと 次のコントロールに移動します。"));

        // Function keys belong to the main window: here they change nothing.
        const std::string settings = testing::fileText(fx.folder() / "drives/C/Program Files/Hastelyn/Hastelyn.ini");
        for (int key = Qt::Key_F1; key <= Qt::Key_F12; ++key) QTest::keyClick(sub.BtnHidden, Qt::Key(key));
        QVERIFY(sub.isVisible());
        QCOMPARE(testing::fileText(fx.folder() / "drives/C/Program Files/Hastelyn/Hastelyn.ini"), settings);

        // The keyboard walk, which ends with Escape; then every close button speaks the same.
        sub.PgOption->setCurrentWidget(sub.TbOption);
        sub.PgOption->tabBar()->setFocus();
        QtFront front(sub, fx);
        std::string differences;
        for (const std::string& difference : testing::optionswalk::walkOptionsWindow(front)) differences += difference + "\n";
        QVERIFY2(differences.empty(), differences.c_str());
        for (QPushButton* close : {sub.BtnCloseO, sub.BtnCloseOK, sub.BtnOKV, sub.BtnCloseH}) {
            sub.showPage("TbOption");
            fx.setClipboard("");
            close->click();
            QVERIFY(!sub.isVisible());
            QCOMPARE(fx.clipboard(), std::string("環境設定ウィンドウを閉じました。"));
        }
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindowTest.moc"
