#include "ui/win32/Win32FileDialog.h"

#include <stdexcept>
#include <string>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {
namespace {

// Room for a long path: the dialog fails rather than cut a longer one.
constexpr std::size_t kPathRoom = 1024;

}  // namespace

OpenFileRequest::OpenFileRequest(HWND owner, std::string_view title, std::string_view filter, std::string_view folder)
    : title_(win32::widen(title)), filter_(win32::widen(filter)), folder_(win32::widen(folder)), file_(kPathRoom, L'\0') {
    // The dialog's filter is the same pairs, each text ended by a null, the list by a second.
    for (wchar_t& c : filter_)
        if (c == L'|') c = L'\0';
    filter_.push_back(L'\0');
    filter_.push_back(L'\0');
    description_.lStructSize = sizeof description_;
    description_.hwndOwner = owner;
    description_.lpstrFilter = filter.empty() ? nullptr : filter_.c_str();
    description_.nFilterIndex = 1;
    description_.lpstrFile = file_.data();
    description_.nMaxFile = static_cast<DWORD>(file_.size());
    description_.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    description_.lpstrTitle = title_.c_str();
    // The program's current folder stays where it was, whatever folder the user went through.
    description_.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

std::string OpenFileRequest::chosen() const { return win32::narrow(file_.c_str()); }

std::optional<std::string> Win32FileDialog::choose(std::string_view title, std::string_view filter,
                                                   std::string_view folder) {
    OpenFileRequest request(owner_, title, filter, folder);
    if (GetOpenFileNameW(&request.description())) return request.chosen();
    // Cancelled, or the dialog could not be shown: the latter is no choice of the user's.
    if (const DWORD error = CommDlgExtendedError(); error != 0)
        throw std::runtime_error("ファイルを開くダイアログを表示できません。(" + std::to_string(error) + ")");
    return std::nullopt;
}

}  // namespace hastelyn::winui
