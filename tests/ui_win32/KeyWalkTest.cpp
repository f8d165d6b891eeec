// The keyboard walk of the main window (tests/support/KeyWalk.h) against Hastelyn.exe's window:
// each key posted to the focused control as the keyboard sends it, and handled by the program's
// loop.
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
    Win32Front(winui::MainWindow& window, testing::FakeClipboard& clipboard, recording::ChangeLog& started,
               std::function<void()> pump)
        : window_(window), clipboard_(clipboard), started_(started), pump_(std::move(pump)) {
        window_.closed = [this] { closed_ = true; };
    }

    void press(Key key) override {
        const HWND to = GetFocus() != nullptr ? GetFocus() : window_.hwnd();
        if (key == Key::Alt) {
            send(to, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_MENU, 0x38, 1 << 29);
            return;
        }
        // Shift held as the keyboard holds it: in the thread's key state, which the key
        // preview reads.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const BYTE shift = keys[VK_SHIFT];
        if (key == Key::ShiftTab) keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        const auto [code, scan] = codeOf(key);
        send(to, WM_KEYDOWN, WM_KEYUP, code, scan, 0);
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
    }
    std::string clipboard() override { return clipboard_.text(); }
    void setClipboard(std::string_view text) override { clipboard_.setText(text); }
    std::string focusedName() override {
        for (HWND w = GetFocus(); w != nullptr && w != window_.hwnd(); w = GetParent(w)) {
            if (const ui::model::Control* row = window_.rowOf(w)) return std::string(row->name);
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

private:
    static std::pair<WPARAM, LPARAM> codeOf(Key key) {
        switch (key) {
            case Key::Tab:
            case Key::ShiftTab: return {VK_TAB, 0x0F};
            case Key::Enter: return {VK_RETURN, 0x1C};
            case Key::Space: return {VK_SPACE, 0x39};
            case Key::Up: return {VK_UP, 0x48};
            case Key::Down: return {VK_DOWN, 0x50};
            case Key::Left: return {VK_LEFT, 0x4B};
            case Key::Right: return {VK_RIGHT, 0x4D};
            case Key::Escape: return {VK_ESCAPE, 0x01};
            default: {
                const int f = static_cast<int>(key) - static_cast<int>(Key::F1);  // F1 to F6
                return {static_cast<WPARAM>(VK_F1 + f), 0x3B + f};
            }
        }
    }
    void send(HWND to, UINT down, UINT up, WPARAM code, LPARAM scan, LPARAM flags) {
        PostMessageW(to, down, code, 1 | (scan << 16) | flags);
        PostMessageW(to, up, code, static_cast<LPARAM>(0xC0000001 | (scan << 16) | flags));
        pump_();
    }

    winui::MainWindow& window_;
    testing::FakeClipboard& clipboard_;
    recording::ChangeLog& started_;
    std::function<void()> pump_;
    bool closed_ = false;
};

TEST_F(MainWindowTest, TheKeyboardWalkSaysWhatTheQtWindowSays) {
    dialogs_.confirmations = 1;  // the walk's accelerate question is answered No
    SetFocus(window_->handle(ui::model::main::BtnSystem));
    // The loop notices the focus after a message, as the program's loop does after the first
    // messages of its window.
    PostMessageW(window_->hwnd(), WM_NULL, 0, 0);
    pump();
    Win32Front front(*window_, clipboard_, started_, [this] { pump(); });
    for (const std::string& difference : testing::keywalk::walkMainWindow(front, *session_)) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace hastelyn::win32test
