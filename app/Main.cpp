// Hastelyn's entry point.
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <exception>

#include "app/MachineStartup.h"

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
    mainWindow.show();
    return application.exec();
}
