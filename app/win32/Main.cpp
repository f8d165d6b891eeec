// Hastelyn.exe: one instance per system, the four windows (the main window made by its creation
// sequence), the message loop until the main window closes.
#include <windows.h>

#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "engine/Session.h"
#include "platform/win32/Win32Platform.h"
#include "ui/model/CommandErrors.h"
#include "ui/win32/ProgramWindows.h"
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
    winui::ProgramWindows windows(session, screenFacts());
    // While a started command is awaited (the service commands), the windows keep running. The
    // wait between two looks at the command sleeps until a message comes, 50 ms at most, so that
    // it keeps no processor busy.
    session.processEvents = [&windows] {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            windows.process(message);
        }
    };
    windows.main.show();
    if (!windows.startErrors.empty()) ui::model::reportCommandError(session.dialogs, windows.startErrors.front());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) windows.process(message);
    return static_cast<int>(message.wParam);
}
