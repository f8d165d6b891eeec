// Hastelyn's entry point.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

#include <exception>

#include "app/MachineStartup.h"
#include "foundation/Edition.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Hastelyn");

    std::unique_ptr<hastelyn::sandbox::SandboxPlatform> machine;
    try {
        machine = hastelyn::app::openMachine();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "エラー", QString::fromUtf8(e.what()));
        return 1;
    }

    QMainWindow mainWindow;
    mainWindow.setObjectName("FrmMain");
    mainWindow.setWindowTitle("Hastelyn");
    mainWindow.resize(659, 525);
    // Until the pages arrive, the window tells which machine it runs on.
    const auto version = machine->platform().system.getVersion();
    const auto codes = hastelyn::foundation::detectEdition(version);
    auto* status = new QLabel(QString::fromUtf8("マシン: %1\nWindows %2.%3 (%4) / %5 / %6")
                                  .arg(QString::fromStdString(machine->machine().folder().string()))
                                  .arg(version.major)
                                  .arg(version.minor)
                                  .arg(QString::fromStdString(version.csdVersion))
                                  .arg(QString::fromStdString(codes.platform))
                                  .arg(QString::fromStdString(codes.edition)));
    status->setObjectName("LblMachine");
    status->setMargin(12);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mainWindow.setCentralWidget(status);
    mainWindow.show();
    return application.exec();
}
