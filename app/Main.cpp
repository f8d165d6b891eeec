// Hastelyn's entry point: one instance per machine, the four windows in their fixed order, the
// message loop until the main window closes.
#include <QCoreApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <exception>

#include "app/HelpPages.h"
#include "app/MachineStartup.h"
#include "app/SingleInstance.h"
#include "engine/Session.h"
#include "foundation/SpeechDispatcher.h"
#include "ui/model/MainScreen.h"
#include "ui/qt/Application.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtClipboard.h"
#include "ui/qt/QtDialogProvider.h"
#include "ui/qt/SideWindows.h"

using namespace hastelyn;

namespace {

ui::model::ScreenFacts screenFacts() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return {screen->geometry().width(), screen->geometry().height(), screen->depth()};
}

// Messages that other processes send to the main window: a second instance asks it forward.
void pumpWindowMessages(platform::WindowSystem& windows, ui::TFrmMain& main) {
    for (const platform::WindowMessage& message : windows.takeMessages()) {
        if (message.message == platform::wm::Activate && message.wParam == 1) {
            main.showNormal();
            main.raise();
            main.activateWindow();
        } else if (message.message == platform::wm::Close) {
            main.close();
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    std::unique_ptr<sandbox::SandboxPlatform> machine;
    try {
        machine = app::openMachine();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    platform::Platform& platform = machine->platform();

    app::SingleInstance instance(platform.windows);
    if (!instance.claim()) return 0;
    // Only the instance that runs brings its help pages along; without them the help only
    // fails to open, and the program goes on.
    if (const std::string problem = app::installHelpPages(machine->machine(), app::shippedHelpFolder()); !problem.empty())
        std::fprintf(stderr, "%s\n", problem.c_str());

    ui::Application application(argc, argv);
    ui::QtClipboard clipboard;
    ui::QtDialogProvider dialogs;
    // Connected when "SpeechOutput" first asks for speech.
    foundation::SpeechDispatcher speechDispatcher;
    engine::Session session(platform, clipboard, dialogs, &speechDispatcher);
    // While a started command is awaited (the service commands), the windows keep running.
    session.processEvents = [] { QCoreApplication::processEvents(); };
    // An error inside a command of any window is spoken, then shown.
    ui::reportErrorsTo(&session.dialogs);
    ui::TFrmMain main(session);
    ui::FrmMain = &main;
    QObject::connect(&main, &ui::TFrmMain::closed, &application, &QApplication::quit);
    const std::vector<std::string> startErrors = main.screen().create(screenFacts());
    main.show();
    main.startSpeechTimer();
    const platform::WindowHandle mainHandle = platform.windows.createWindow("TFrmMain", "Hastelyn");

    ui::TFrmCompact compact(session);
    ui::FrmCompact = &compact;
    ui::TFrmRestore restore(session, &main);
    ui::FrmRestore = &restore;
    ui::TFrmSub sub(session, main, compact, restore);
    ui::FrmSub = &sub;

    if (!startErrors.empty()) ui::reportError(startErrors.front());

    QTimer messages;
    QObject::connect(&messages, &QTimer::timeout, [&] { pumpWindowMessages(platform.windows, main); });
    messages.start(200);

    const int result = application.exec();
    platform.windows.destroyWindow(mainHandle);
    ui::FrmMain = nullptr;
    ui::FrmCompact = nullptr;
    ui::FrmRestore = nullptr;
    ui::FrmSub = nullptr;
    return result;
}
