// Spoken guidance said aloud: a walk through the main window with the keys, its texts reaching
// a speech-dispatcher server (a fake one, spoken to by the real client library) in order.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "foundation/SpeechDispatcher.h"
#include "foundation/SpokenTexts.h"
#include "tests/support/FakeSpeechDispatcher.h"
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/model/MainControls.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/SpeechOutputOption.h"

using namespace hastelyn;
using testing::FakeSpeechDispatcher;
using testing::sv;
using testing::WindowFixture;
using Texts = std::vector<std::string>;

namespace {

// The walk: from the first menu button three times Tab, F5, F3, the System list's second row
// chosen with the Down key, F4, then Escape. Gives the texts it should speak, in order.
void walk(WindowFixture& fx, Texts& expected) {
    ui::TFrmMain& window = fx.window();
    window.BtnSystem->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(window.BtnSystem->hasFocus(), 60000);
    for (int i = 1; i <= 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        expected.push_back(sv(ui::model::main::kMenuButtons[static_cast<std::size_t>(i)]->spoken));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    expected.push_back(sv(foundation::spoken::kOperation));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    expected.push_back(sv(foundation::spoken::kOverview));

    ui::CheckListView* list = window.tweakLists[0];
    {
        // Straight to the list, saying nothing on the way.
        const std::string sound = fx.setting("環境設定", "Sound");
        fx.session().settings.write("環境設定", "Sound", "Off");
        window.BtnSystem->click();
        list->setFocus();
        list->setCurrentRow(0);
        fx.session().settings.write("環境設定", "Sound", sound);
    }
    QTest::keyClick(list, Qt::Key_Down);
    const bool ticked = fx.session().model.tweakList(0).rows[1].ticked;
    expected.push_back("システム" + list->item(1)->text().toStdString() +
                       sv(ticked ? foundation::spoken::kTicked : foundation::spoken::kNotTicked) +
                       sv(foundation::spoken::kRowHints));
    QTest::keyClick(list, Qt::Key_F4);
    expected.push_back(foundation::spoken::commentForSpeech(window.commentary()));
    QTest::keyClick(list, Qt::Key_Escape);
    expected.push_back(sv(foundation::spoken::kExit));
}

}  // namespace

class SpokenGuidanceTest : public QObject {
    Q_OBJECT
private slots:
    void speechSaysEveryTextOfTheWalkInOrderAndLeavesTheClipboard() {
        testing::TempFolder folder;
        FakeSpeechDispatcher server(folder.path() / "speechd.sock");
        testing::ScopedSpeechdAddress address(server.address());
        foundation::SpeechDispatcher dispatcher({.library = "libspeechd.so.2", .autospawn = false});
        WindowFixture fx(testing::withGeneralSettings("Sound=On\r\nSpeechOutput=Speech\r\n"), {800, 600, 32},
                         nullptr, &dispatcher);
        QVERIFY(testing::showActive(fx.window()));
        fx.window().BtnSystem->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(fx.window().BtnSystem->hasFocus(), 60000);
        fx.setClipboard("before");
        const std::size_t before = server.messages().size();
        Texts expected;
        walk(fx, expected);
        if (QTest::currentTestFailed()) return;
        const Texts all = server.messages();
        // What was said before the walk (the first button's focus) is not the walk's.
        QCOMPARE(Texts(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), expected);
        QCOMPARE(fx.clipboard(), std::string("before"));
        QCOMPARE(server.connections(), 1);
    }

    void clipboardModeSendsNothingToTheServer() {
        for (const char* output : {"", "SpeechOutput=Clipboard\r\n"}) {
            testing::TempFolder folder;
            FakeSpeechDispatcher server(folder.path() / "speechd.sock");
            testing::ScopedSpeechdAddress address(server.address());
            foundation::SpeechDispatcher dispatcher({.library = "libspeechd.so.2", .autospawn = false});
            WindowFixture fx(testing::withGeneralSettings(std::string("Sound=On\r\n") + output), {800, 600, 32},
                             nullptr, &dispatcher);
            QVERIFY(testing::showActive(fx.window()));
            Texts expected;
            walk(fx, expected);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(fx.clipboard(), expected.back());
            QCOMPARE(server.connections(), 0);
            QVERIFY(server.log().empty());
        }
    }

    void theOptionsBoxChoosesSpeechAndSaysWhyItCannotBe() {
        foundation::SpeechDispatcher missing({.library = "libspeechd-missing.so.9", .autospawn = false});
        WindowFixture fx(testing::withGeneralSettings("SpeechOutput=Both\r\n"), {800, 600, 32}, nullptr, &missing);
        ui::TFrmCompact compact(fx.session());
        ui::TFrmRestore restore(fx.session(), &fx.window());
        ui::TFrmSub sub(fx.session(), fx.window(), compact, restore);
        ui::SpeechOutputOption& option = *sub.speechOutput;
        QVERIFY(option.ChcSpeechOutput->isChecked());

        // Shown, the window says why speech cannot be; the box stays usable for a later start.
        QVERIFY(option.LblSpeechOutputWhy->isHidden());
        sub.showPage("TbOption");
        QVERIFY(option.LblSpeechOutputWhy->isVisible());
        QVERIFY(option.LblSpeechOutputWhy->text().contains("libspeechd-missing.so.9"));
        QCOMPARE(option.ChcSpeechOutput->accessibleDescription(), option.LblSpeechOutputWhy->text());
        QVERIFY(option.ChcSpeechOutput->isEnabled());
    }
};

int main(int argc, char** argv) {
    ui::Application application(argc, argv);
    SpokenGuidanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SpokenGuidanceTest.moc"
