// What the user sees of the main window: every text whole in its control, rows that cannot be
// changed grey, the two commentary buttons' own glyphs, the page tabs in every tab style, and
// the version on the about picture.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

#include "foundation/DisplaySettings.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/qt/Forms.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SideWindows.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::withGeneralSettings;

namespace {

QString withoutMnemonic(QString text) { return text.remove('&'); }

// The width left for a row's text: the row's own width, up to the first control of the page
// that stands over it, less the tick box and the margins the item view draws.
int roomForRowText(const QListWidget* list, int row) {
    const QRect rowRect = list->visualItemRect(list->item(row));
    const QRect onPage(list->mapToParent(list->viewport()->mapToParent(rowRect.topLeft())), rowRect.size());
    int right = onPage.right();
    for (const QWidget* control : list->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == list || control->isHidden()) continue;
        const QRect area = control->geometry();
        if (area.intersects(onPage) && area.left() > onPage.left()) right = std::min(right, area.left() - 1);
    }
    const QStyle* style = list->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const bool ticks = list->item(row)->data(Qt::CheckStateRole).isValid();
    const int tickBox = ticks ? style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list) + margins : 0;
    return right - onPage.left() + 1 - margins - tickBox;
}

// Every text of the window that does not fit its control, as "name: text (need > room)".
QStringList cutTexts(ui::TFrmMain& window) {
    QStringList cut;
    const auto check = [&](const QWidget* w, const QString& text, int need, int room) {
        if (need > room) cut << QStringLiteral("%1: %2 (%3 > %4)").arg(w->objectName(), text).arg(need).arg(room);
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap()) continue;
        check(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text().isEmpty()) continue;
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        const QString text = withoutMnemonic(button->text());
        check(button, text, button->fontMetrics().horizontalAdvance(text), contents.width() - icon);
    }
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        check(box, box->text(), box->fontMetrics().horizontalAdvance(box->text()), contents.width());
    }
    for (QListWidget* list : window.findChildren<QListWidget*>()) {
        if (list == window.LstService) continue;  // the machine's own names; the list scrolls
        if (!list->isVisible()) continue;          // fitted to its room when its page first shows
        for (int row = 0; row < list->count(); ++row)
            check(list, list->item(row)->text(), list->fontMetrics().horizontalAdvance(list->item(row)->text()),
                  roomForRowText(list, row));
    }
    auto* tabs = static_cast<ui::TwoRowTabBar*>(window.PgAccel->tabBar());
    for (int i = 0; i < tabs->count(); ++i)
        check(tabs, tabs->tabText(i), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)), tabs->rowTabRect(i).width() - 4);
    return cut;
}

// Pixels drawn inside a rectangle of an image: those far from the rectangle's most common
// colour (its background). With rows, the number of pixel rows between the first and the last
// that hold any.
int inkInside(const QImage& image, const QRect& area, bool rows = false) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) std::tie(background, most) = std::pair(it.key(), it.value());
    int ink = 0, first = -1, last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(background)) + std::abs(qGreen(p) - qGreen(background)) +
                    std::abs(qBlue(p) - qBlue(background)) > 150) {
                ++ink;
                if (first < 0) first = y;
                last = y;
            }
        }
    }
    return rows ? (first < 0 ? 0 : last - first + 1) : ink;
}

}  // namespace

class MainWindowLookTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextFitsItsControlAndThePicturesCarryTheirMarks() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        // Every page shown once, so each list is laid out.
        for (int page = 0; page < window.PgAccel->count(); ++page) {
            window.PgAccel->setCurrentIndex(page);
            QCoreApplication::processEvents();
            const QStringList cut = cutTexts(window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
        }
        // The counters once they hold their numbers.
        QCOMPARE(window.LblAll->text(), QStringLiteral("50"));
        QVERIFY(window.findChild<QLabel*>("Label3")->geometry().right() < window.LblAll->geometry().left());
        QVERIFY(window.findChild<QLabel*>("Label5")->geometry().right() < window.findChild<QWidget*>("PnlAccel")->width());

        // The more-information button carries the "[e]" that the commentary texts name: white
        // on an orange square.
        const QImage more = window.BtnMoreInfo->icon().pixmap(16, 16).toImage();
        QVERIFY(more != window.BtnComment->icon().pixmap(16, 16).toImage());
        const QColor body = more.pixelColor(2, 8);
        QVERIFY2(body.red() > 200 && body.green() < 150 && body.blue() < 80, qPrintable(body.name()));

        // The about picture shows the build's version. The committed picture has none of its
        // own: nothing is written where the version goes, so no old number can show.
        const QRect versionArea(36, 21, 100, 12);
        QCOMPARE(inkInside(ui::picture("about.jpg"), versionArea), 0);
        const QImage shown = window.ImgAbout->pixmap().toImage();
        QVERIFY(inkInside(shown, versionArea) > 20);
        QCOMPARE(shown.copy(0, 0, 140, 19), ui::picture("about.jpg").convertToFormat(shown.format()).copy(0, 0, 140, 19));
    }

    void rowsThatCannotChangeStayGreyAfterTheAccelerateCommand() {
        WindowFixture fx(MiniMachine{});  // XP: System ⑩ cannot be changed
        ui::TFrmMain& window = fx.window();
        QVERIFY(testing::showActive(window));
        ui::CheckListView* system = window.tweakLists[0];
        QVERIFY(!fx.session().model.tweakList(0).rows[9].enabled);
        const QColor grey = system->item(9)->foreground().color();
        const QColor navy = system->palette().color(QPalette::Text);
        QVERIFY(grey != navy);
        fx.dialogs().answers = {false};  // cancelled
        window.BtnAccelerate->click();
        QCOMPARE(system->item(9)->foreground().color(), grey);
        fx.dialogs().answers = {true};
        window.BtnAccelerate->click();
        QCOMPARE(system->item(9)->foreground().color(), grey);
        QCOMPARE(system->item(0)->data(Qt::ForegroundRole), QVariant());  // the list's own navy
    }

    void everyTabStyleDrawsEachCaptionOnItsOwnTab() {
        for (const char* style : {"Tabs", "Buttons", "FlatButtons"}) {
            WindowFixture fx(withGeneralSettings(std::string("TabStyle=") + style + "\r\n"));
            ui::TFrmMain& window = fx.window();
            ui::TFrmCompact compact(fx.session());
            ui::TFrmRestore restore(fx.session(), &window);
            ui::TFrmSub sub(fx.session(), window, compact, restore);  // applies the display settings
            QVERIFY(testing::showActive(window));
            auto* tabs = static_cast<ui::TwoRowTabBar*>(window.PgAccel->tabBar());
            for (int current : {0, 7}) {
                window.PgAccel->setCurrentIndex(current);
                const QImage drawn = tabs->grab().toImage();
                for (int i = 0; i < tabs->count(); ++i) {
                    // The caption in the middle of its tab, whole: as high as the font's
                    // letters, not a band of them.
                    const QRect tab = tabs->rowTabRect(i);
                    const QRect middle = tab.adjusted(tab.width() / 2 - 12, 3, -(tab.width() / 2 - 12), -3);
                    const QString where = QStringLiteral("%1: %2 with page %3 current").arg(style, tabs->tabText(i)).arg(current);
                    QVERIFY2(inkInside(drawn, middle) > 6, qPrintable(where));
                    QVERIFY2(inkInside(drawn, middle, true) >= tabs->fontMetrics().ascent() - 2, qPrintable(where));
                }
            }
        }
    }
};

int main(int argc, char** argv) {
    ui::Application application(argc, argv);
    MainWindowLookTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "MainWindowLookTest.moc"
