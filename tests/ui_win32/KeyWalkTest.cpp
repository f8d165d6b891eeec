// The keyboard walk (tests/support/KeyWalk.h) against Hastelyn.exe's main, compact and
// save-and-restore windows: each key posted to the focused control as the keyboard sends it,
// and handled by the program's loop.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine/ItemModel.h"
#include "tests/support/KeyWalk.h"
#include "tests/ui_win32/MainWindowFixture.h"

namespace hastelyn::win32test {
namespace {

using testing::keywalk::Key;

class Win32Front : public testing::keywalk::Front {
public:
    Win32Front(winui::ProgramWindows& windows, testing::FakeClipboard& clipboard, recording::ChangeLog& started,
               std::function<void()> pump)
        : windows_(windows), window_(windows.main), clipboard_(clipboard), started_(started), pump_(std::move(pump)) {
        window_.closed = [this] { closed_ = true; };
    }

    void press(Key key) override {
        // The key and its scan code, in the order of Key.
        static constexpr std::pair<WPARAM, LPARAM> kKeys[] = {
            {VK_TAB, 0x0F},   {VK_TAB, 0x0F}, {VK_MENU, 0x38}, {VK_RETURN, 0x1C}, {VK_SPACE, 0x39}, {VK_UP, 0x48},
            {VK_DOWN, 0x50},  {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_F1, 0x3B},    {VK_F2, 0x3C},    {VK_F3, 0x3D},
            {VK_F4, 0x3E},    {VK_F5, 0x3F},   {VK_F6, 0x40},    {VK_ESCAPE, 0x01}};
        const auto [code, scan] = kKeys[static_cast<int>(key)];
        // Alt comes as a system key; Shift is held as the keyboard holds it, in the thread's key
        // state, which the key preview reads.
        const bool alt = key == Key::Alt;
        const LPARAM lParam = 1 | (scan << 16) | (alt ? 1 << 29 : 0);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = key == Key::ShiftTab ? 0x80 : 0;
        SetKeyboardState(keys);
        const HWND to = GetFocus() != nullptr ? GetFocus() : window_.hwnd();
        PostMessageW(to, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, code, lParam);
        PostMessageW(to, alt ? WM_SYSKEYUP : WM_KEYUP, code, lParam | static_cast<LPARAM>(0xC0000000));
        pump_();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    std::string clipboard() override { return clipboard_.text(); }
    void setClipboard(std::string_view text) override { clipboard_.setText(text); }
    std::string focusedName() override {
        for (HWND w = GetFocus(); w != nullptr && w != window_.hwnd(); w = GetParent(w)) {
            using Views = std::initializer_list<const winui::Win32WindowView*>;
            for (const winui::Win32WindowView* view : Views{&window_, &windows_.compact, &windows_.restore})
                if (const ui::model::Control* row = view->rowOf(w)) return std::string(row->name);
            if (w == window_.servicesList()) return "LstService";
            for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
                if (w == window_.tweakList(c)) return std::string(engine::tweakCategories()[c].listName);
        }
        return {};
    }
    std::string commentary() override { return window_.pagesScreen().commentary().text(); }
    std::vector<std::string> openedByShell() override {
        std::vector<std::string> opened;
        for (const recording::RowChanges& row : started_.byRow())
            for (const recording::Change& change : row.changes) opened.push_back(change.target);
        return opened;
    }
    bool closed() override { return closed_ && !IsWindow(window_.hwnd()); }
    std::string activeWindow() override {
        namespace model = ui::model;
        const std::pair<HWND, std::string_view> windows[] = {
            {window_.hwnd(), model::main::FrmMain.name},
            {windows_.compact.hwnd(), model::compact::FrmCompact.name},
            {windows_.restore.hwnd(), model::restore::controls::FrmRestore.name}};
        for (const auto& [window, name] : windows)
            if (window == GetActiveWindow()) return std::string(name);
        return {};
    }
    void click(std::string_view name) override {
        for (const ui::model::Control* row : ui::model::main::kTitleButtons)
            if (row->name == name) SendMessageW(window_.handle(*row), BM_CLICK, 0, 0);
        pump_();
    }

private:
    winui::ProgramWindows& windows_;
    winui::MainWindow& window_;
    testing::FakeClipboard& clipboard_;
    recording::ChangeLog& started_;
    std::function<void()> pump_;
    bool closed_ = false;
};

TEST_F(MainWindowTest, TheKeyboardWalkSaysWhatTheQtWindowsSay) {
    dialogs_.confirmations = 1;  // the walk's accelerate question is answered No
    SetFocus(window_->handle(ui::model::main::BtnSystem));
    // The loop notices the focus after a message, as the program's loop does after the first
    // messages of its window.
    PostMessageW(window_->hwnd(), WM_NULL, 0, 0);
    pump();
    // The prefix's performance data has no "Processor" object: its error (the compact window's
    // test shows it) is not the walk's.
    windows_->compact.screen().meters().reportError = [](const std::string&) {};
    Win32Front front(*windows_, clipboard_, started_, [this] { pump(); });
    for (const std::string& difference : testing::keywalk::walkWindows(front, *session_)) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace hastelyn::win32test
