#pragma once
// The system clipboard through Qt, for spoken texts.
#include "foundation/Clipboard.h"

namespace hastelyn::ui {

class QtClipboard : public foundation::Clipboard {
public:
    std::string text() override;
    void setText(std::string_view text) override;
};

}  // namespace hastelyn::ui
