// The commentary panel's widgets: the memo and its hint, the more-information button on the
// current page and row, and the search menu over the memo's selection.
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/support/WindowFixture.h"

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
    // The memo shows the text with its line breaks, the hint the stored text.
    void theMemoShowsTheTextAndItsHint() {
        WindowFixture fx(withGeneralSettings("CommentHint=On\r\n"));
        ui::TFrmMain& window = fx.window();
        window.showCommentary("パソコン情報", 4);
        const QString shown = QString::fromStdString(window.commentary()).replace("\r\n", "\n");
        QCOMPARE(window.Comment->toPlainText(), shown);
        QCOMPARE(window.Comment->toolTip(), shown);
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
