#pragma once
// The system clipboard, for spoken texts: the text goes on as Unicode with the system's locale,
// so Windows also offers it as CF_TEXT in the system code page (Shift_JIS on a Japanese system)
// to a clipboard-reading screen reader that asks for plain text.
#include "foundation/Clipboard.h"

struct HWND__;

namespace hastelyn::winui {

class Win32Clipboard : public foundation::Clipboard {
public:
    Win32Clipboard();
    ~Win32Clipboard() override;
    Win32Clipboard(const Win32Clipboard&) = delete;
    Win32Clipboard& operator=(const Win32Clipboard&) = delete;

    std::string text() override;
    void setText(std::string_view text) override;

private:
    bool open();

    HWND__* owner_ = nullptr;  // a message-only window: the clipboard's owner while it holds our text
};

}  // namespace hastelyn::winui
