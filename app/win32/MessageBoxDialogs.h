#pragma once
// The message dialogs as system message boxes, with their titles and buttons; the window's own
// dialogs take their place once they exist.
#include <windows.h>

#include "foundation/MessageDialogs.h"

namespace hastelyn::app {

class MessageBoxDialogs : public foundation::DialogProvider {
public:
    bool show(foundation::DialogKind kind, std::string_view text) override;
    // The window the boxes belong to (none before the main window exists).
    HWND owner = nullptr;
};

}  // namespace hastelyn::app
