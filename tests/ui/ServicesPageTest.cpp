// The services page: choosing a row shows the service in the commentary and speaks the row.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "engine/Services.h"
#include "foundation/CommentText.h"
#include "foundation/SpokenTexts.h"
#include "tests/ui/support/WindowFixture.h"

using namespace hastelyn;
using testing::MiniMachine;
using testing::WindowFixture;
using testing::kSettings;

namespace {

// The commentary shows line breaks as paragraphs.
QString asShown(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

void clickRow(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center() + QPoint(40, 0));
}

}  // namespace

class ServicesPageTest : public QObject {
    Q_OBJECT
private slots:
    void aClickedRowShowsItsDetailAndIsSpoken() {
        MiniMachine m;
        m.service("Alpha", "Alpha Service", 2).service("Beta", "Beta Service", 3);
        m.file(kSettings, "[環境設定]\r\nSound=On\r\nCommentHint=On\r\n[DisabledItem]\r\nService=false\r\n");
        WindowFixture fx(m);
        ui::TFrmMain& window = fx.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.PgAccel->setCurrentWidget(window.findChild<QWidget*>("TbService"));
        QVERIFY(window.BtnMoreInfo->isHidden());
        QCOMPARE(window.LstService->count(), 2);

        clickRow(window.LstService, 1);  // "Beta Service", stopped: ticked
        const std::string detail = engine::ShowServiceDetail(fx.session(), "Beta Service");
        QCOMPARE(window.Comment->toPlainText(), asShown(detail));
        // The hint's long lines are broken at 100 Shift_JIS bytes.
        QCOMPARE(window.Comment->toolTip(), asShown(foundation::breakHintLines(detail)));
        QCOMPARE(fx.clipboard(), std::string("不要サービス") + "Beta Service" + std::string(foundation::spoken::kTicked) +
                                     std::string(foundation::spoken::kRowHints));
        QVERIFY(window.BtnMoreInfo->isVisible());

        // A second click on the same row speaks it again; the arrow keys choose rows too.
        fx.setClipboard("");
        clickRow(window.LstService, 1);
        QVERIFY(fx.clipboard().starts_with("不要サービスBeta Service"));
        QTest::keyClick(window.LstService, Qt::Key_Up);
        QCOMPARE(window.Comment->toPlainText(), asShown(engine::ShowServiceDetail(fx.session(), "Alpha Service")));
        QVERIFY(fx.clipboard().starts_with(std::string("不要サービスAlpha Service") +
                                           std::string(foundation::spoken::kNotTicked)));
    }

    void theNineXPageShowsTheExplanation() {
        MiniMachine m;
        m.edition("98");
        WindowFixture fx(m);
        QVERIFY(testing::showActive(fx.window()));
        fx.window().findChild<QPushButton*>("BtnService")->click();
        QCOMPARE(fx.window().Comment->toPlainText(), asShown(engine::ShowServiceDetail(fx.session(), "")));
        QVERIFY(fx.window().Comment->toPlainText().contains("NULL"));
    }
};

QTEST_MAIN(ServicesPageTest)
#include "ServicesPageTest.moc"
