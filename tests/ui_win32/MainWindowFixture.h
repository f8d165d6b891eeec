#pragma once
// The program's windows made in this process over the system's registry, as Hastelyn.exe makes
// them, to be driven by messages as a user's mouse and keys would. They change the system's
// settings, so the tests run only under Wine, in the throw-away prefix of the test run; the
// program folder is a scratch folder, and what the program starts is recorded, not started.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Session.h"
#include "foundation/LockedItems.h"
#include "platform/recording/RecordingShell.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WideText.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/win32/Win32TestSupport.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/win32/ProgramWindows.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ListView.h"

namespace hastelyn::win32test {

namespace main = ui::model::main;
namespace pages = ui::model::pages;
using win32::narrow;
using win32::widen;

inline constexpr std::size_t kDesktop = 1;
inline constexpr int kMenuShowDelayRow = 1;  // "Desktop2": HKCU\Control Panel\Desktop MenuShowDelay, ticked "50"
inline constexpr int kLockedRow = 2;         // "Desktop3", locked by the settings file

// The system as it is, but the program lives in a scratch folder (its settings file and restore
// points go there) and the edition is the one the program is made for, XP SP2.
class ScratchProgram : public platform::SystemInfo {
public:
    ScratchProgram(platform::SystemInfo& system, std::string program) : system_(system), program_(std::move(program)) {}
    platform::OsVersion getVersion() override { return {2, 5, 1, 2600, "Service Pack 2"}; }
    std::string windowsDirectory() override { return system_.windowsDirectory(); }
    std::string programPath() override { return program_; }
    std::string currentDirectory() override { return system_.currentDirectory(); }
    std::string errorText(long code) override { return system_.errorText(code); }

private:
    platform::SystemInfo& system_;
    std::string program_;
};

// Yes to the command's own question, No to the rest (no restart of the prefix's Windows).
class FirstYes : public foundation::DialogProvider {
public:
    bool show(foundation::DialogKind kind, std::string_view text) override {
        shown.emplace_back(kind, std::string(text));
        return kind != foundation::DialogKind::Confirmation || confirmations++ == 0;
    }
    std::vector<std::pair<foundation::DialogKind, std::string>> shown;
    int confirmations = 0;
};

inline constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

inline constexpr const wchar_t* kVersionKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion";

inline std::optional<std::wstring> registryText(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(data);
}

inline void setRegistryText(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

inline std::optional<std::wstring> menuShowDelay() { return registryText(HKEY_CURRENT_USER, kDesktopKey, L"MenuShowDelay"); }
inline void setMenuShowDelay(const std::wstring& value) {
    setRegistryText(HKEY_CURRENT_USER, kDesktopKey, L"MenuShowDelay", value);
}

// The notification area of a shell, where there is none: Windows' and Wine's Shell_NotifyIcon
// send the icon to the "Shell_TrayWnd" window (WM_COPYDATA), which takes every icon.
class NotificationArea {
public:
    NotificationArea() {
        if (FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr) return;
        WNDCLASSW c{};
        c.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return message == WM_COPYDATA ? TRUE : DefWindowProcW(window, message, wParam, lParam);
        };
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&c);
        own_ = CreateWindowExW(0, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, c.hInstance, nullptr);
    }
    ~NotificationArea() {
        if (own_ != nullptr) DestroyWindow(own_);
    }
    NotificationArea(const NotificationArea&) = delete;
    NotificationArea& operator=(const NotificationArea&) = delete;

private:
    HWND own_ = nullptr;
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!runningUnderWine()) GTEST_SKIP() << "changes the system's settings: runs only in a Wine prefix";
        delayBefore_ = menuShowDelay();
        setMenuShowDelay(L"400");
        setRegistryText(HKEY_LOCAL_MACHINE, kVersionKey, L"RegisteredOwner", L"高速 花子");
        session_ = std::make_unique<engine::Session>(platform_, clipboard_, dialogs_);
        session_->settings.write(foundation::kDisabledItemSection, foundation::tweakRowKey(kDesktop, kLockedRow), "true");
        session_->settings.write(foundation::kGeneralSection, "Sound", "On");
        windows_ = std::make_unique<winui::ProgramWindows>(*session_, ui::model::ScreenFacts{1024, 768, 32});
        window_ = &windows_->main;
        window_->closed = [] {};
        startErrors_ = windows_->startErrors;
        window_->show();
        pump();
    }
    void TearDown() override {
        window_ = nullptr;
        windows_.reset();
        session_.reset();
        if (delayBefore_) setMenuShowDelay(*delayBefore_);
    }

    // Handles what waits in the queue as the program's loop does.
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) windows_->process(message);
    }
    // The memo's search menu opened by the keyboard on the characters from..to, its first
    // engine chosen. The menu's keys wait in the queue: the sub-menu opened, the engine chosen
    // by Enter (which a menu takes as its character); should they not reach the menu, it is
    // cancelled after them.
    void searchWithFirstEngine(HWND memo, int from, int to) {
        SendMessageW(memo, EM_SETSEL, from, to);
        for (const WPARAM key : {VK_DOWN, VK_RIGHT}) PostMessageW(memo, WM_KEYDOWN, key, 1);
        PostMessageW(memo, WM_CHAR, L'\r', 0x001C0001);
        PostMessageW(window_->hwnd(), WM_CANCELMODE, 0, 0);
        SendMessageW(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), MAKELPARAM(-1, -1));
        pump();
    }
    winui::ListView list(std::size_t category) const { return winui::ListView(window_->tweakList(category)); }
    engine::Row& row(std::size_t category, int index) {
        return session_->model.tweakList(category).rows.at(static_cast<std::size_t>(index));
    }
    void press(HWND control, WPARAM key, LPARAM scanCode) {
        PostMessageW(control, WM_KEYDOWN, key, 1 | (scanCode << 16));
        PostMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001 | (scanCode << 16)));
        pump();
    }
    void pressSpace(HWND control) { press(control, VK_SPACE, 0x39); }
    std::string text(const ui::model::Control& row) const { return winui::windowText(window_->handle(row)); }

    ScratchFolder folder_{"高速化 窓"};
    win32::Win32Platform machine_;
    ScratchProgram program_{machine_.platform().system, folder_.path() + "\\Hastelyn.exe"};
    // What the program starts (a browser, a tool) is recorded, not started.
    recording::ChangeLog started_;
    recording::RecordingShell shell_{machine_.platform().shell, recording::RecordingMode::DryRun, started_};
    platform::Platform platform_{machine_.platform().registry, machine_.platform().profiles, machine_.platform().files,
                                 program_, shell_, machine_.platform().windows,
                                 machine_.platform().services, machine_.platform().meters};
    testing::FakeClipboard clipboard_;
    FirstYes dialogs_;
    std::unique_ptr<engine::Session> session_;
    std::unique_ptr<winui::ProgramWindows> windows_;
    winui::MainWindow* window_ = nullptr;
    std::vector<std::string> startErrors_;
    std::optional<std::wstring> delayBefore_;
};
using MainWindowTest = MainWindowFixture;

}  // namespace hastelyn::win32test
