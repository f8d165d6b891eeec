// Two real programs on one machine: the second one finds the first, asks its main window to the
// front, and ends without writing anything.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

using namespace hastelyn;

namespace {

QProcess* startProgram(const std::filesystem::path& machine, QObject* parent) {
    auto* process = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HASTELYN_MACHINE", QString::fromStdString(machine.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(env);
    process->start(HASTELYN_EXECUTABLE, {});
    return process;
}

bool mainWindowRegistered(const std::filesystem::path& machine) {
    sandbox::SandboxPlatform observer(machine);
    return static_cast<bool>(observer.platform().windows.findWindow("TFrmMain", ""));
}

}  // namespace

class SecondInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartBringsTheFirstForwardAndWritesNothing() {
        hastelyn::testing::TempFolder folder;
        hastelyn::testing::MiniMachine machine;
        machine.writeTo(folder.path());
        const std::filesystem::path programFolder =
            machine.hostPath(folder.path(), "C:\\Program Files\\Hastelyn");

        QProcess* first = startProgram(folder.path(), this);
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowRegistered(folder.path()), 15000);
        // The first instance has written its settings at start.
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(programFolder / "Hastelyn.ini"), 5000);
        const auto before = hastelyn::testing::filesBelow(programFolder);

        QProcess* second = startProgram(folder.path(), this);
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(hastelyn::testing::filesBelow(programFolder), before);
        QVERIFY(hastelyn::testing::fileText(folder.path() / "journal.log").find("SetForegroundWindow") != std::string::npos);
        QCOMPARE(first->state(), QProcess::Running);

        // The first instance still answers its window's messages: a close request ends it.
        {
            sandbox::SandboxPlatform observer(folder.path());
            platform::WindowSystem& windows = observer.platform().windows;
            QVERIFY(windows.postMessage(windows.findWindow("TFrmMain", ""), platform::wm::Close, 0, 0));
        }
        QVERIFY(first->waitForFinished(15000));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(!mainWindowRegistered(folder.path()));
    }
};

QTEST_GUILESS_MAIN(SecondInstanceTest)
#include "SecondInstanceTest.moc"
