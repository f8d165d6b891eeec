#include "ui/win32/Win32FileDialog.h"

#include <commdlg.h>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

std::optional<std::string> Win32FileDialog::choose(std::string_view title, std::string_view filter,
                                                   std::string_view folder) {
    // "name|pattern|..." becomes the dialog's "name\0pattern\0...\0\0".
    std::wstring filters = win32::widen(filter);
    for (wchar_t& c : filters)
        if (c == L'|') c = L'\0';
    filters.append(2, L'\0');
    const std::wstring caption = win32::widen(title);
    const std::wstring start = win32::widen(folder);
    wchar_t chosen[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = caption.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return win32::narrow(chosen);
}

}  // namespace hastelyn::winui
