#include "ui/win32/TrayIcon.h"

#include <shellapi.h>

#include "ui/win32/Resources.h"

namespace hastelyn::winui {
namespace {

// The layout shell32 5.0 (Windows 2000) knows; XP's shell accepts it too.
NOTIFYICONDATAW iconData(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner;
    data.uID = 1;
    return data;
}

}  // namespace

TrayIcon::TrayIcon(HWND owner) : owner_(owner), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::~TrayIcon() { remove(); }

bool TrayIcon::add() {
    NOTIFYICONDATAW data = iconData(owner_);
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kCallback;
    data.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HASTELYN), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (data.hIcon == nullptr) data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    // The tip holds 63 characters at most in the oldest shells.
    GetWindowTextW(owner_, data.szTip, 64);
    if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
    ++additions_;
    return true;
}

void TrayIcon::park() {
    if (parked_) return;
    if (!add()) {
        ShowWindow(owner_, SW_MINIMIZE);
        return;
    }
    parked_ = true;
    ShowWindow(owner_, SW_HIDE);
}

void TrayIcon::remove() {
    if (!parked_) return;
    parked_ = false;
    NOTIFYICONDATAW data = iconData(owner_);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void TrayIcon::unpark() {
    remove();
    ShowWindow(owner_, SW_SHOW);
    SetForegroundWindow(owner_);
}

bool TrayIcon::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && parked_) unpark();
    if (message == WM_SHOWWINDOW && wParam) remove();
    if (message == kCallback) {
        if (parked_ && lParam == WM_LBUTTONUP) unpark();
        return true;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The new shell has no icons: a parked window's is put back, or the window shown.
        if (parked_ && !add()) unpark();
        return true;
    }
    return false;
}

}  // namespace hastelyn::winui
