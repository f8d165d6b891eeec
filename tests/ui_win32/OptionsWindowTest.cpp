// The options window made with the program's other windows and driven by messages: shown by the
// main window's commands, its apply buttons writing Hastelyn.ini and reaching the main window
// (font, locks, colours, transparency, page style), and its keys with their spoken texts.
#include <commctrl.h>

#include <algorithm>

#include "tests/support/OptionsKeyWalk.h"
#include "tests/ui_win32/MainWindowFixture.h"
#include "ui/model/OptionsControls.h"
#include "ui/model/OptionsTexts.h"
#include "ui/win32/controls/Button.h"

namespace hastelyn::win32test {
namespace {

namespace ctl = ui::model::options::controls;
using ui::model::ColourTarget;
constexpr std::string_view kGeneral = foundation::kGeneralSection;

class OptionsWindowTest : public MainWindowFixture {
protected:
    winui::OptionsWindow& options() { return windows_->options; }
    HWND control(const ui::model::Control& row) { return options().handle(row); }
    void click(const ui::model::Control& row) {
        SendMessageW(control(row), BM_CLICK, 0, 0);
        pump();
    }
    // A key of the settings file as the system reads it back.
    std::string stored(std::string_view section, std::string_view key) const {
        wchar_t value[256] = {};
        GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), L"NULL", value, 256,
                                 widen(session_->settings.path()).c_str());
        return narrow(value);
    }
};

TEST_F(OptionsWindowTest, TheMainWindowsCommandsShowItOnTheirPage) {
    const std::pair<ui::model::MainAction, int> commands[] = {{ui::model::MainAction::ShowVersion, 2},
                                                              {ui::model::MainAction::ShowOptions, 0}};
    for (const auto& [action, page] : commands) {
        window_->act(action);
        pump();
        EXPECT_TRUE(IsWindowVisible(options().hwnd()));
        EXPECT_EQ(options().pages().current(), page);
        EXPECT_EQ(clipboard_.text(), ui::model::options::kWindowShown);
    }
    EXPECT_EQ(options().pages().count(), 3);  // the hidden page is not there yet
}

TEST_F(OptionsWindowTest, GeneralAndLockedItemsReachTheFileAndTheMainWindow) {
    window_->act(ui::model::MainAction::ShowOptions);
    click(ctl::kFontButtons[4]);  // 最大, 12 points
    click(ctl::kSwitches[ctl::CommentHint]);
    click(ctl::BtnOKO);
    EXPECT_EQ(stored(kGeneral, "FontSize"), "12");
    EXPECT_EQ(stored(kGeneral, "CommentHint"), "On");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window_->handle(pages::Comment), WM_GETFONT, 0, 0)), sizeof font, &font);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    // A lock applied greys the row in the main list at once; one unticked frees its row.
    const ui::model::Control& menuShowDelay = ctl::lockBoxes()[10 + kMenuShowDelayRow];  // Desktop2
    const ui::model::Control& locked = ctl::lockBoxes()[10 + kLockedRow];                // Desktop3
    ASSERT_TRUE(winui::Button(control(locked)).checked());
    ASSERT_TRUE(row(kDesktop, kMenuShowDelayRow).enabled);
    click(menuShowDelay);
    click(locked);
    click(ctl::BtnOKD);
    EXPECT_EQ(stored("DisabledItem", "Desktop2"), "true");
    EXPECT_FALSE(row(kDesktop, kMenuShowDelayRow).enabled);
    EXPECT_TRUE(row(kDesktop, kLockedRow).enabled);
}

TEST_F(OptionsWindowTest, HiddenPageSetsColoursTransparencyAndPageStyleEverywhere) {
    window_->act(ui::model::MainAction::ShowVersion);
    click(ctl::BtnHidden);
    ASSERT_EQ(options().pages().count(), 4);
    EXPECT_EQ(options().pages().current(), 3);

    // A colour picked selects 任意; applied, it reaches its target and the file.
    std::vector<std::uint32_t> offered;
    options().setColourChooser([&](std::uint32_t initial) -> std::optional<std::uint32_t> {
        offered.push_back(initial);
        return 0x030201;
    });
    click(ctl::kColourLabels[static_cast<std::size_t>(ColourTarget::Menu)]);
    EXPECT_EQ(offered, std::vector<std::uint32_t>{0xFFFFFF});  // no colour stored: the swatch's white
    EXPECT_TRUE(winui::Button(control(ctl::kStyleButtons[ctl::kOptionalStyle])).checked());
    EXPECT_FALSE(winui::Button(control(ctl::kStyleButtons[0])).checked());
    click(ctl::kTabStyleButtons[2]);  // ボタン
    SetWindowTextW(control(ctl::EdtTrans), L"200");
    pump();
    EXPECT_EQ(GetScrollPos(control(ctl::ScrTrans), SB_CTL), 200);
    click(ctl::BtnOKH);
    EXPECT_EQ(window_->targetColour(ColourTarget::Menu), 0x030201u);
    EXPECT_EQ(windows_->restore.colour(), 0xFFFFFFu);
    EXPECT_EQ(options().colour(), 0xFFFFFFu);
    EXPECT_EQ(stored(kGeneral, "ColorStyle"), "Optional");
    EXPECT_EQ(stored(kGeneral, "MenuColor"), "$00030201");
    EXPECT_EQ(stored(kGeneral, "TabStyle"), "Buttons");
    EXPECT_EQ(stored(kGeneral, "Transparent"), "200");
    for (const HWND tabs : {window_->pages().handle(), options().pages().handle()})
        EXPECT_TRUE(GetWindowLongW(tabs, GWL_STYLE) & TCS_BUTTONS);

    // XP's edition has layered windows: the main window is one at the chosen alpha, and no
    // longer one at full opacity.
    const HWND main = window_->hwnd();
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_LAYERED);
    using GetLayered = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    const auto getLayered = reinterpret_cast<GetLayered>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetLayeredWindowAttributes")));
    ASSERT_NE(getLayered, nullptr);  // XP's, and Wine's
    BYTE alpha = 0;
    EXPECT_TRUE(getLayered(main, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 200);
    SendMessageW(options().hwnd(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(control(ctl::ScrTrans)));
    EXPECT_EQ(winui::windowText(control(ctl::EdtTrans)), "255");
    click(ctl::BtnOKH);
    EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(dialogs_.shown.empty());
}

// The options window's keyboard walk (tests/support/OptionsKeyWalk.h), each key posted to the
// focused control and handled by the program's loop.
class Win32OptionsFront : public testing::optionswalk::Front {
public:
    Win32OptionsFront(winui::OptionsWindow& window, testing::FakeClipboard& clipboard, std::function<void()> pump)
        : window_(window), clipboard_(clipboard), pump_(std::move(pump)) {}
    void press(testing::optionswalk::Key key) override {
        // The key and its scan code, in the order of Key; Shift held in the thread's key state.
        static constexpr std::pair<WPARAM, LPARAM> kKeys[] = {{VK_TAB, 0x0F},   {VK_TAB, 0x0F},   {VK_LEFT, 0x4B},
                                                              {VK_RIGHT, 0x4D}, {VK_SPACE, 0x39}, {VK_ESCAPE, 0x01}};
        const auto [code, scan] = kKeys[static_cast<int>(key)];
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = key == testing::optionswalk::Key::ShiftTab ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, code, 1 | (scan << 16));
        PostMessageW(GetFocus(), WM_KEYUP, code, static_cast<LPARAM>(0xC0000001 | (scan << 16)));
        pump_();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    std::string clipboard() override { return clipboard_.text(); }
    std::string focusedName() override {
        const ui::model::Control* row = window_.rowOf(GetFocus());
        return row != nullptr ? std::string(row->name) : std::string();
    }
    bool shown() override { return IsWindowVisible(window_.hwnd()); }
    bool speechOutputBox() override { return false; }  // no synthesizer here: the clipboard speaks

private:
    winui::OptionsWindow& window_;
    testing::FakeClipboard& clipboard_;
    std::function<void()> pump_;
};

TEST_F(OptionsWindowTest, TheKeyboardWalkSaysWhatTheQtWindowSays) {
    window_->act(ui::model::MainAction::ShowOptions);
    pump();
    ASSERT_EQ(GetFocus(), options().pages().handle());
    Win32OptionsFront front(options(), clipboard_, [this] { pump(); });
    for (const std::string& difference : testing::optionswalk::walkOptionsWindow(front)) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace hastelyn::win32test
