// The commentary panel: texts chosen by the lists, their shaping by the settings, the
// introduction, the more-information pages and the search menu.
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "foundation/CommentText.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/CommentItem.h"
#include "ui/qt/CommentItem2.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::withGeneralSettings;

namespace {

// Selects text of the memo, as a drag with the mouse would.
void select(QPlainTextEdit* memo, int from, int length) {
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(from + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

}  // namespace

class CommentaryPanelTest : public QObject {
    Q_OBJECT
private slots:
    void theSettingsShapeTheTextAndTheHint() {
        WindowFixture fx(withGeneralSettings("LineFeed=Off\r\nCommentHint=On\r\n"));
        ui::TFrmMain& window = fx.window();
        // At start the panel holds the introduction, reflowed.
        QCOMPARE(window.commentary(), foundation::reflowComment(ui::kCommentIntroduction));

        window.findChild<QPushButton*>("BtnPower")->click();
        window.tweakLists[3]->setCurrentRow(0);
        const std::string stored(*ui::tweakCommentary("起動・終了", 0));
        QCOMPARE(window.commentary(), foundation::reflowComment(stored));
        QVERIFY(window.commentary().find("ことで、パソコンの起動") != std::string::npos);
        // The hint keeps the stored line breaks.
        QCOMPARE(window.Comment->toolTip(), QString::fromStdString(stored).replace("\r\n", "\n"));

        // No row, or a caption without texts, leaves the text in place.
        window.showCommentary("起動・終了", -1);
        window.showCommentary("不要サービス", 0);
        window.showCommentary("起動・終了", 10);
        QCOMPARE(window.commentary(), foundation::reflowComment(stored));

        // A new setting counts from the next change.
        fx.session().settings.write("環境設定", "LineFeed", "On");
        window.showCommentary("パソコン情報", 4);
        QCOMPARE(window.commentary(), std::string(*ui::toolCommentary("パソコン情報", 4)));
        QCOMPARE(window.Comment->toPlainText(), QString::fromStdString(window.commentary()).replace("\r\n", "\n"));
    }

    void theMoreInformationButtonOpensOurPagesAndTheSearchMenuTheSelection() {
        WindowFixture fx(MiniMachine{});
        ui::TFrmMain& window = fx.window();
        window.findChild<QPushButton*>("BtnUtility")->click();
        window.LstUtility->setCurrentRow(4);
        window.BtnMoreInfo->click();
        window.LstUtility->setCurrentRow(2);
        window.BtnMoreInfo->click();
        window.LstUtility->setCurrentRow(3);
        window.BtnMoreInfo->click();  // no page for this row
        const std::string log = fx.journal();
        const std::string groupPolicy = "ShellExecute\topen\tC:\\Program Files\\Hastelyn\\help\\group_policy.htm\t\t\t5\n";
        const std::string startup = "ShellExecute\topen\tC:\\Program Files\\Hastelyn\\help\\startup.htm\t\t\t5\n";
        QVERIFY(log.find(groupPolicy) != std::string::npos);
        QVERIFY(log.find(groupPolicy) < log.find(startup));
        QVERIFY(log.find(startup) != std::string::npos);
        QCOMPARE(log.find("ShellExecute", log.find(startup) + 1), std::string::npos);

        // The search menu looks up the selection whole.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showCommentary("ユーティリティ", 0);
        const QString caption = window.search->title();

        // No selection: the menu closes at once and keeps its caption.
        window.PpSearch->popup(window.Comment->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(!window.PpSearch->isVisible());
        QCOMPARE(window.search->title(), caption);

        window.Comment->setPlainText("R&D テスト");
        select(window.Comment, 0, 7);
        window.PpSearch->popup(window.Comment->mapToGlobal(QPoint(10, 10)));
        QCOMPARE(window.searchWord(), std::string("R&D テスト"));
        QCOMPARE(window.search->title(), QString("\"R&&D テスト\" を検索"));
        window.PpSearch->close();
        window.search->findChild<QAction*>("google")->trigger();
        QVERIFY(fx.journal().find("q=R%26D%20%83e%83X%83g") != std::string::npos);
    }
};

QTEST_MAIN(CommentaryPanelTest)
#include "CommentaryPanelTest.moc"
