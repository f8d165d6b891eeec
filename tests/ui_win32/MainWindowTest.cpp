// The main window of Hastelyn.exe driven by messages as a user's mouse and keys would: the pages,
// the ticks, the locks, the accelerate command, and the single instance.
#include "tests/ui_win32/MainWindowFixture.h"
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/SingleInstance.h"
#include "engine/PcInformation.h"
#include "engine/Services.h"
#include "engine/Utilities.h"
#include "foundation/CommentText.h"
#include "ui/model/MainTexts.h"
#include "ui/win32/Picture.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ListBox.h"

namespace hastelyn::win32test {
namespace {


TEST_F(MainWindowTest, ShowsTheWindowItsPagesAndTheModelsRows) {
    EXPECT_TRUE(startErrors_.empty()) << startErrors_.front();
    EXPECT_EQ(FindWindowW(winui::MainWindow::kClassName, L"Hastelyn"), window_->hwnd());
    RECT client{};
    GetClientRect(window_->hwnd(), &client);
    EXPECT_EQ(client.right, 659);
    EXPECT_EQ(client.bottom, 525);

    const winui::TabControl& tabs = window_->pages();
    EXPECT_TRUE(GetWindowLongW(tabs.handle(), GWL_STYLE) & TCS_MULTILINE);
    EXPECT_EQ(tabs.rowCount(), 2);
    ASSERT_EQ(tabs.count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(tabs.text(i), main::kPages[static_cast<std::size_t>(i)]->caption);
    EXPECT_EQ(tabs.current(), 0);

    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        const engine::CheckList& model = session_->model.tweakList(c);
        ASSERT_EQ(list(c).count(), static_cast<int>(model.rows.size())) << c;
        for (int r = 0; r < list(c).count(); ++r) {
            EXPECT_EQ(list(c).text(r), model.rows[static_cast<std::size_t>(r)].label);
            EXPECT_EQ(list(c).checked(r), model.rows[static_cast<std::size_t>(r)].ticked) << c << " " << r;
        }
    }
    // The counters, and the page a menu button shows.
    EXPECT_EQ(winui::windowText(window_->handle(main::LblAll)), std::to_string(session_->model.allCount()));
    SendMessageW(window_->handle(main::BtnExplorer), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(tabs.current(), 2);
    EXPECT_TRUE(IsWindowVisible(GetParent(window_->tweakList(2))));
    EXPECT_FALSE(IsWindowVisible(GetParent(window_->tweakList(0))));
    EXPECT_EQ(GetFocus(), tabs.handle());
}

TEST_F(MainWindowTest, ServicesUtilitiesAndPcInformationPagesShowTheirRows) {
    const winui::ListView services(window_->servicesList());
    const engine::CheckList& model = session_->model.services();
    ASSERT_FALSE(model.rows.empty());
    ASSERT_EQ(services.count(), static_cast<int>(model.rows.size()));
    for (int r = 0; r < services.count(); ++r) {
        EXPECT_EQ(services.text(r), model.rows[static_cast<std::size_t>(r)].label);
        EXPECT_EQ(services.checked(r), model.rows[static_cast<std::size_t>(r)].ticked) << r;
    }

    const winui::ListBox utilities(window_->handle(pages::LstUtility));
    ASSERT_EQ(utilities.count(), 10);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(utilities.text(r), pages::kUtilityLabels[static_cast<std::size_t>(r)]);
        // A tool button draws its number; its text is its tool's name, which a reader reads.
        EXPECT_EQ(text(*pages::kUtilityButtons[static_cast<std::size_t>(r)]),
                  pages::accessibleName(*pages::kUtilityButtons[static_cast<std::size_t>(r)]));
    }
    EXPECT_GT(winui::ListBox(window_->handle(pages::LstHDDefrag)).count(), 0);  // the prefix's C:
    EXPECT_EQ(text(pages::ChcQuickFormat), "クイック");

    const winui::ListBox info(window_->handle(pages::LstInfo));
    ASSERT_EQ(info.count(), 10);
    std::optional<long> firstOffset;
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(info.text(r), engine::pcInfoRows()[static_cast<std::size_t>(r)].label);
        // Each field stands beside its row as the first one does: the fields do not drift.
        RECT row{}, field{};
        SendMessageW(info.handle(), LB_GETITEMRECT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&row));
        MapWindowPoints(info.handle(), nullptr, reinterpret_cast<POINT*>(&row), 2);
        GetWindowRect(window_->handle(*pages::kInfoFields[static_cast<std::size_t>(r)]), &field);
        const long offset = field.top - row.top;
        if (!firstOffset) firstOffset = offset;
        EXPECT_LE(std::abs(offset - *firstOffset), 1) << r;
    }
    EXPECT_EQ(text(pages::EdtUser), "高速 花子");
    EXPECT_EQ(widen(text(pages::EdtRoot)), *registryText(HKEY_LOCAL_MACHINE, kVersionKey, L"SystemRoot"));
    // Only the first three fields take the user's text.
    EXPECT_FALSE(GetWindowLongW(window_->handle(pages::EdtCorp), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongW(window_->handle(pages::EdtProduct), GWL_STYLE) & ES_READONLY);

    // Tab from the page control walks the utilities page in its rows' order.
    SendMessageW(window_->handle(main::BtnUtility), BM_CLICK, 0, 0);
    pump();
    press(GetFocus(), VK_TAB, 0x0F);
    EXPECT_EQ(GetFocus(), utilities.handle());
    press(GetFocus(), VK_TAB, 0x0F);
    EXPECT_EQ(GetFocus(), window_->handle(pages::BtnWMP6));
}

TEST_F(MainWindowTest, AChosenRowShowsItsCommentaryInTheMemo) {
    const auto memo = [this] { return text(pages::Comment); };
    const std::string introduction = memo();
    ASSERT_FALSE(introduction.empty());

    list(kDesktop).select(kMenuShowDelayRow);
    pump();
    EXPECT_NE(memo(), introduction);
    EXPECT_EQ(memo(), window_->pagesScreen().commentary().text());
    // A click on the chosen row says it again, once (a write for each step of the text), as a
    // list box's click does.
    const auto clickSaysAgain = [this](HWND list, RECT row, std::size_t steps) {
        const std::string said = clipboard_.text();
        const std::size_t writes = clipboard_.history.size();
        const LPARAM at = MAKELPARAM(row.left + 60, (row.top + row.bottom) / 2);
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
        pump();
        EXPECT_EQ(clipboard_.history.size(), writes + steps);
        EXPECT_EQ(clipboard_.text(), said);
    };
    RECT row{LVIR_LABEL, 0, 0, 0};
    SendMessageW(list(kDesktop).handle(), LVM_GETITEMRECT, kMenuShowDelayRow, reinterpret_cast<LPARAM>(&row));
    clickSaysAgain(list(kDesktop).handle(), row, 3);

    // A service: its detail, its hint with the long lines broken, and the more-information
    // button shows.
    session_->settings.write(foundation::kGeneralSection, "CommentHint", "On");
    const engine::Row& service = session_->model.services().rows.at(0);
    winui::ListView(window_->servicesList()).select(0);
    pump();
    EXPECT_EQ(memo(), engine::ShowServiceDetail(*session_, service.label));
    EXPECT_EQ(window_->commentHint().text(), foundation::breakHintLines(memo()));
    EXPECT_TRUE(IsWindowVisible(window_->handle(pages::BtnMoreInfo)));

    // A utility row chosen by the arrow key; the introduction button brings the introduction.
    SendMessageW(window_->handle(main::BtnUtility), BM_CLICK, 0, 0);
    pump();
    const HWND utilities = window_->handle(pages::LstUtility);
    SetFocus(utilities);
    press(utilities, VK_DOWN, 0x50);
    EXPECT_EQ(winui::ListBox(utilities).selected(), 0);
    SendMessageW(utilities, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    clickSaysAgain(utilities, row, 2);  // no tick
    EXPECT_NE(memo(), engine::ShowServiceDetail(*session_, service.label));
    EXPECT_FALSE(IsWindowVisible(window_->handle(pages::BtnMoreInfo)));
    SendMessageW(window_->handle(pages::BtnComment), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(memo(), introduction);
}

TEST_F(MainWindowTest, PageButtonsCarryOutTheirCommands) {
    // A drive command with no drive chosen in its list is refused with the error box.
    SendMessageW(window_->handle(pages::BtnCUIDefrag), BM_CLICK, 0, 0);
    pump();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown.front().first, foundation::DialogKind::Error);
    EXPECT_EQ(dialogs_.shown.front().second, engine::kChooseDriveText);
    dialogs_.shown.clear();

    // The change button writes the registered owner the user typed, after the question's Yes.
    SetWindowTextW(window_->handle(pages::EdtUser), L"試験 太郎");
    SendMessageW(window_->handle(pages::BtnChange), BM_CLICK, 0, 0);
    pump();
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.shown.front().first, foundation::DialogKind::Confirmation);
    EXPECT_EQ(registryText(HKEY_LOCAL_MACHINE, kVersionKey, L"RegisteredOwner"), L"試験 太郎");
}

TEST_F(MainWindowTest, TheMemosSearchMenuLooksTheSelectionUp) {
    const HWND memo = window_->handle(pages::Comment);
    ASSERT_EQ(winui::windowText(memo).substr(0, 11), "「Hastelyn");
    searchWithFirstEngine(memo, 1, 9);
    EXPECT_EQ(window_->pagesScreen().commentary().searchWord(), "Hastelyn");
    const std::vector<recording::RowChanges> started = started_.byRow();
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(started.front().changes.size(), 1u);
    EXPECT_NE(started.front().changes.front().target.find("Hastelyn"), std::string::npos)
        << started.front().changes.front().target;
}

TEST_F(MainWindowTest, TicksGoToTheModelExceptOnALockedRow) {
    const winui::ListView desktop = list(kDesktop);
    ASSERT_FALSE(row(kDesktop, kMenuShowDelayRow).ticked);
    desktop.setChecked(kMenuShowDelayRow, true);
    EXPECT_TRUE(row(kDesktop, kMenuShowDelayRow).ticked);
    // Space on the selected row, as a user's key: the list toggles it back.
    SendMessageW(window_->handle(main::BtnDesktop), BM_CLICK, 0, 0);
    SetFocus(desktop.handle());
    desktop.select(kMenuShowDelayRow);
    pressSpace(desktop.handle());
    EXPECT_FALSE(desktop.checked(kMenuShowDelayRow));
    EXPECT_FALSE(row(kDesktop, kMenuShowDelayRow).ticked);

    // The locked row: neither a message nor a key changes its tick.
    ASSERT_FALSE(row(kDesktop, kLockedRow).enabled);
    const bool before = row(kDesktop, kLockedRow).ticked;
    desktop.setChecked(kLockedRow, !before);
    EXPECT_EQ(desktop.checked(kLockedRow), before);
    desktop.select(kLockedRow);
    pressSpace(desktop.handle());
    EXPECT_EQ(desktop.checked(kLockedRow), before);
    EXPECT_EQ(row(kDesktop, kLockedRow).ticked, before);
}

TEST_F(MainWindowTest, AccelerateWritesTheTickedRowAndShowsTheRowsAgain) {
    list(kDesktop).setChecked(kMenuShowDelayRow, true);
    SendMessageW(window_->handle(main::BtnAccelerate), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(menuShowDelay(), L"50");
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_EQ(dialogs_.shown.front().first, foundation::DialogKind::Confirmation);
    EXPECT_TRUE(list(kDesktop).checked(kMenuShowDelayRow));
    EXPECT_EQ(winui::windowText(window_->handle(main::LblRest)), std::to_string(session_->model.restCount()));
}

TEST_F(MainWindowTest, ASecondInstanceFindsTheFirstAndBringsItForward) {
    app::SingleInstance first(platform_.windows);
    ASSERT_TRUE(first.claim());
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_->hwnd(), SW_MINIMIZE);
    SetForegroundWindow(other);
    pump();
    ASSERT_EQ(GetForegroundWindow(), other);
    ASSERT_TRUE(IsIconic(window_->hwnd()));
    app::SingleInstance second(platform_.windows);
    EXPECT_FALSE(second.claim());
    pump();
    EXPECT_EQ(GetForegroundWindow(), window_->hwnd());
    EXPECT_FALSE(IsIconic(window_->hwnd()));
    DestroyWindow(other);
}

TEST_F(MainWindowTest, TitleStripButtonsKeepTheirNamesAndActions) {
    // Pictures, with the names a screen reader reads as their texts.
    EXPECT_NE(winui::pictureOf(window_->handle(main::ImgTitle)), nullptr);
    EXPECT_NE(winui::pictureOf(window_->handle(main::ImgAbout)), nullptr);
    for (const ui::model::Control* row : main::kTitleButtons) {
        const HWND b = window_->handle(*row);
        EXPECT_EQ(winui::windowText(b), main::accessibleName(*row)) << row->name;
        EXPECT_NE(SendMessageW(b, BM_GETIMAGE, IMAGE_ICON, 0), 0) << row->name;
    }
    // The mouse on the title picture is on the window's title, not on the strip.
    RECT title{};
    GetWindowRect(window_->handle(main::ImgTitle), &title);
    const POINT onTitle{title.left + 40, title.top + 20};
    EXPECT_EQ(WindowFromPoint(onTitle), window_->hwnd());
    EXPECT_EQ(SendMessageW(window_->hwnd(), WM_NCHITTEST, 0, MAKELPARAM(onTitle.x, onTitle.y)), HTCAPTION);
    // Stay on top: down and topmost, then up and not.
    const HWND top = window_->handle(main::BtnTop);
    for (const bool on : {true, false}) {
        SendMessageW(top, BM_CLICK, 0, 0);
        pump();
        EXPECT_EQ(SendMessageW(top, BM_GETCHECK, 0, 0), on ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ((GetWindowLongW(window_->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, on);
    }
    SendMessageW(window_->handle(main::BtnMinimum), BM_CLICK, 0, 0);
    pump();
    EXPECT_TRUE(IsIconic(window_->hwnd()));
    bool closed = false;
    window_->closed = [&closed] { closed = true; };
    SendMessageW(window_->handle(main::BtnClose_s), BM_CLICK, 0, 0);
    pump();
    EXPECT_TRUE(closed);
}

TEST_F(MainWindowTest, ParksInTheTrayAndComesBackOnAClick) {
    const NotificationArea tray;
    const HWND window = window_->hwnd();
    SendMessageW(window_->handle(main::BtnTray), BM_CLICK, 0, 0);
    pump();
    ASSERT_TRUE(window_->tray().parked());
    EXPECT_FALSE(IsWindowVisible(window));
    // Explorer started again: the icon is put back, the window stays hidden.
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(window_->tray().additions(), 2);
    EXPECT_FALSE(IsWindowVisible(window));
    // Moving over the icon does nothing; a click shows the window again.
    SendMessageW(window, winui::TrayIcon::kCallback, 1, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, winui::TrayIcon::kCallback, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(window_->tray().parked());
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(window_->tray().additions(), 2);
    // Parked, and the program started again: the running one comes out of the tray.
    SendMessageW(window_->handle(main::BtnTray), BM_CLICK, 0, 0);
    pump();
    ASSERT_FALSE(IsWindowVisible(window));
    app::SingleInstance first(platform_.windows);
    ASSERT_TRUE(first.claim());
    EXPECT_FALSE(app::SingleInstance(platform_.windows).claim());
    pump();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(window_->tray().parked());
}

TEST_F(MainWindowTest, OnASmallScreenTheFocusedControlScrollsIntoView) {
    window_->useSmallScreen();
    pump();
    const HWND window = window_->hwnd();
    RECT client{};
    GetClientRect(window, &client);
    ASSERT_LT(client.bottom, 525);
    const auto inClient = [&](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
    };
    // The close button, low in the menu, is below the client area: Tab from the last control of
    // the walk reaches it and scrolls it into view; Alt takes the focus up to the first menu
    // button, which is scrolled back.
    const HWND last = window_->handle(main::BtnClose);
    ASSERT_FALSE(inClient(last));
    SetFocus(window_->handle(main::BtnService));
    pump();
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    pump();
    ASSERT_EQ(GetFocus(), last);
    EXPECT_TRUE(inClient(last));
    EXPECT_GT(GetScrollPos(window, SB_VERT), 0);
    PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_MENU, 1);
    pump();
    EXPECT_TRUE(inClient(window_->handle(main::BtnSystem)));
    // The bars reach the right of the layout, where the about picture is.
    const HWND about = window_->handle(main::ImgAbout);
    ASSERT_FALSE(inClient(about));
    SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageW(window, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(inClient(about));
}

// Hastelyn.exe itself, from a copy in a scratch folder, as the edition it is made for.
class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        if (!runningUnderWine()) GTEST_SKIP() << "changes the system's settings: runs only in a Wine prefix";
        wchar_t tests[MAX_PATH * 2];
        const std::wstring self(tests, GetModuleFileNameW(nullptr, tests, MAX_PATH * 2));
        const std::wstring source = self.substr(0, self.find_last_of(L'\\') + 1) + widen(HASTELYN_PROGRAM_FROM_TESTS);
        program_ = widen(folder_.path() + "\\Hastelyn.exe");
        ASSERT_TRUE(CopyFileW(source.c_str(), program_.c_str(), FALSE)) << narrow(source);
        const std::wstring xp = L"winxp";
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProgramSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(xp.c_str()),
                       static_cast<DWORD>((xp.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& p : started_) {
            if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 1);
            CloseHandle(p.hThread);
            CloseHandle(p.hProcess);
        }
        RegDeleteKeyW(HKEY_CURRENT_USER, kProgramSettings);
    }

    HANDLE start() {
        std::wstring line = L"\"" + program_ + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return nullptr;
        started_.push_back(process);
        return process.hProcess;
    }
    static DWORD exitCode(HANDLE process) {
        if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        return code;
    }

    static constexpr const wchar_t* kProgramSettings = L"Software\\Wine\\AppDefaults\\Hastelyn.exe";
    ScratchFolder folder_{"高速化 起動"};
    std::wstring program_;
    std::vector<PROCESS_INFORMATION> started_;
};

TEST_F(ProgramStart, RunsOnceAndEndsWithItsWindow) {
    const HANDLE first = start();
    ASSERT_NE(first, nullptr);
    // Idle: the window is made and the program waits for its user.
    ASSERT_EQ(WaitForInputIdle(first, 60000), 0u);
    const HWND window = FindWindowW(winui::MainWindow::kClassName, L"Hastelyn");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    // The side windows are there from the start, hidden until the main window shows them.
    for (const wchar_t* side : {L"TFrmCompact", L"TFrmRestore", L"TFrmSub"}) {
        const HWND found = FindWindowW(side, nullptr);
        EXPECT_NE(found, nullptr) << narrow(side);
        EXPECT_FALSE(IsWindowVisible(found)) << narrow(side);
    }
    // A second start finds the first and ends at once; the first goes on.
    const HANDLE second = start();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(exitCode(second), 0u);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // Closed as by Alt+F4, the program ends.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(first), 0u);
}

}  // namespace
}  // namespace hastelyn::win32test
