#pragma once
// The system's own file-open dialog (comdlg32's GetOpenFileNameW) behind engine::FileOpenDialog:
// its title, its filter and its start folder as the caller gives them.
#include <windows.h>

#include "engine/FileOpenDialog.h"

namespace hastelyn::winui {

class Win32FileDialog : public engine::FileOpenDialog {
public:
    explicit Win32FileDialog(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override;

private:
    HWND owner_;
};

}  // namespace hastelyn::winui
