// Hastelyn.exe: one instance per system, the main window made by its creation sequence, the
// message loop until the main window closes.
#include <windows.h>

#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "engine/Session.h"
#include "platform/win32/Win32Platform.h"
#include "ui/model/CommandErrors.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/UiFont.h"
#include "ui/win32/Win32Clipboard.h"
#include "ui/win32/Win32Dialogs.h"

using namespace hastelyn;

namespace {

ui::model::ScreenFacts screenFacts() {
    const HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), depth};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Platform machine;
    platform::Platform& platform = machine.platform();
    app::SingleInstance instance(platform.windows);
    if (!instance.claim()) return 0;

    // Spoken texts go on the clipboard, for a clipboard-reading screen reader.
    winui::Win32Clipboard clipboard;
    const winui::UiFont dialogFont;
    winui::Win32Dialogs dialogs(dialogFont.handle());
    engine::Session session(platform, clipboard, dialogs);
    winui::MainWindow main(session);
    // While a started command is awaited (the service commands), the window keeps running.
    session.processEvents = [&main] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            main.process(message);
        }
    };
    const std::vector<std::string> startErrors = main.screen().create(screenFacts());
    main.show();
    if (!startErrors.empty()) ui::model::reportCommandError(session.dialogs, startErrors.front());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) main.process(message);
    return static_cast<int>(message.wParam);
}
