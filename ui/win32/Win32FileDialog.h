#pragma once
// The file-open dialog of the system (comdlg32's GetOpenFileNameW) behind the core's
// engine::FileOpenDialog: its title, its filter of "name|pattern" pairs and its start folder as
// the command gives them; a path of the machine back, or nothing when the user cancelled.
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>

#include "engine/FileOpenDialog.h"

namespace hastelyn::winui {

// The dialog's description and the texts it points into: the title, the filter as the dialog
// takes it ("name\0pattern\0...\0\0"), the start folder and the buffer the chosen path comes
// back in. It points into itself: made once, in place.
class OpenFileRequest {
public:
    OpenFileRequest(HWND owner, std::string_view title, std::string_view filter, std::string_view folder);
    OpenFileRequest(const OpenFileRequest&) = delete;
    OpenFileRequest& operator=(const OpenFileRequest&) = delete;

    OPENFILENAMEW& description() { return description_; }
    const OPENFILENAMEW& description() const { return description_; }
    // The chosen path, once the dialog was accepted.
    std::string chosen() const;

private:
    std::wstring title_;
    std::wstring filter_;
    std::wstring folder_;
    std::wstring file_;
    OPENFILENAMEW description_{};
};

class Win32FileDialog : public engine::FileOpenDialog {
public:
    // The dialog is owned by (and disables while it shows) the given window.
    explicit Win32FileDialog(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override;

private:
    HWND owner_;
};

}  // namespace hastelyn::winui
