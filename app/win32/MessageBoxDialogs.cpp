#include "app/win32/MessageBoxDialogs.h"

#include "platform/win32/WideText.h"

namespace hastelyn::app {

bool MessageBoxDialogs::show(foundation::DialogKind kind, std::string_view text) {
    using foundation::DialogKind;
    const wchar_t* title = L"情報";
    UINT style = MB_OK | MB_ICONINFORMATION;
    switch (kind) {
        case DialogKind::Confirmation: title = L"確認"; style = MB_YESNO | MB_ICONQUESTION; break;
        case DialogKind::Information: break;
        case DialogKind::Error: title = L"エラー"; style = MB_OK | MB_ICONERROR; break;
        case DialogKind::Warning: title = L"警告"; style = MB_OK | MB_ICONWARNING; break;
    }
    const int answer = MessageBoxW(IsWindow(owner) ? owner : nullptr, win32::widen(text).c_str(), title, style);
    return answer == IDYES || answer == IDOK;
}

}  // namespace hastelyn::app
