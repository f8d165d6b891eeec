#pragma once
// The system clipboard, as far as spoken texts need it. The windows provide it; tests fake it.
#include <string>
#include <string_view>

namespace hastelyn::foundation {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The text on the clipboard (empty when none or busy).
    virtual std::string text() = 0;
    // Replaces everything on the clipboard by the text; a busy clipboard loses it.
    virtual void setText(std::string_view text) = 0;
};

}  // namespace hastelyn::foundation
