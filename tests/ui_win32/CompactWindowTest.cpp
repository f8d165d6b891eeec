// The compact monitor of Hastelyn.exe driven by messages from the main window: the strip in the
// main window's place, the panel with the prefix's own figures tick by tick, and the
// sampling running exactly while the window shows with the panel open.
#include "tests/ui_win32/MainWindowFixture.h"

#include <functional>
#include <tuple>

#include "engine/MeterFormat.h"
#include "ui/model/CompactControls.h"
#include "ui/model/CompactTexts.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/ComboBox.h"

namespace hastelyn::win32test {
namespace {

namespace c = ui::model::compact;

class CompactWindowTest : public MainWindowFixture {
protected:
    winui::CompactWindow& compact() { return windows_->compact; }
    HWND strip(const ui::model::Control& row) { return compact().handle(row); }
    void click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }
    SIZE client() {
        RECT r{};
        GetClientRect(compact().hwnd(), &r);
        return {r.right, r.bottom};
    }
    std::string label(const ui::model::Control& row) { return winui::windowText(strip(row)); }
    // One tick of the meters' timer, as it comes every second.
    void tick() {
        SendMessageW(compact().hwnd(), WM_TIMER, winui::CompactWindow::kMeterTimer, 0);
        pump();
    }
};

TEST_F(CompactWindowTest, TheStripStandsInForTheMainWindowAndGoesBack) {
    // Made again over a stored colour of its own: the controls, made when it is first shown,
    // keep the colour the options window gave at the start.
    windows_.reset();
    session_->settings.write(foundation::kGeneralSection, "ColorStyle", "Optional");
    session_->settings.write(foundation::kGeneralSection, "CompactColor", "$00123456");
    windows_ = std::make_unique<winui::ProgramWindows>(*session_, ui::model::ScreenFacts{1024, 768, 32});
    window_ = &windows_->main;
    window_->closed = [] {};
    window_->show();
    pump();
    const HWND window = compact().hwnd();
    ASSERT_FALSE(IsWindowVisible(window));
    click(window_->handle(main::BtnCompact));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowVisible(window_->hwnd()));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(client().cx, 127);
    EXPECT_EQ(client().cy, 29);
    EXPECT_EQ(compact().colour(), 0x00123456u);
    EXPECT_FALSE(IsWindowVisible(strip(c::CmbCPUList)));
    EXPECT_FALSE(compact().timerRunning());
    // The buttons carry the names a screen reader reads, and their glyphs.
    for (const ui::model::Control* row : {&c::BtnHelp, &c::BtnVersion, &c::BtnCompact, &c::BtnPerformance, &c::BtnTray,
                                          &c::BtnMinimum, &c::BtnClose_s}) {
        EXPECT_EQ(label(*row), c::readName(*row)) << row->name;
        EXPECT_NE(SendMessageW(strip(*row), BM_GETIMAGE, IMAGE_ICON, 0), 0) << row->name;
        EXPECT_EQ(compact().hint(*row), row->hint) << row->name;
    }
    // The strip keeps its size, and its border does not size it.
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(client().cx, 127);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(frame.right - 1, frame.bottom - 1)), HTNOWHERE);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(frame.left + 5, frame.top + 26)), HTCAPTION);

    // The help through the main window; the options window on its version page.
    click(strip(c::BtnHelp));
    const std::vector<recording::RowChanges> started = started_.byRow();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_NE(started.front().changes.front().target.find("help"), std::string::npos)
        << started.front().changes.front().target;
    click(strip(c::BtnVersion));
    EXPECT_TRUE(IsWindowVisible(windows_->options.hwnd()));

    // Back by the button, a double-click on the strip's background and one on the picture.
    const std::function<void()> backs[] = {
        [&] { click(strip(c::BtnCompact)); },
        [&] { SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0); },
        [&] { SendMessageW(strip(c::Image1), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); },
    };
    for (const auto& back : backs) {
        click(window_->handle(main::BtnCompact));
        ASSERT_TRUE(IsWindowVisible(window));
        back();
        pump();
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    }
}

// Wine answers the memory status, the drive's space and the interface table from the host; its
// performance data has no "Processor" object: the error box tells so once and the CPU list stays
// empty, while the other meters go on.
TEST_F(CompactWindowTest, ThePanelTicksWithThePrefixsFigures) {
    click(window_->handle(main::BtnPerformance));
    const HWND window = compact().hwnd();
    ASSERT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowVisible(window_->hwnd()));
    EXPECT_TRUE(winui::Button(strip(c::BtnPerformance)).checked());
    EXPECT_EQ(client().cx, 286);
    EXPECT_EQ(client().cy, 402);
    EXPECT_TRUE(IsWindowVisible(strip(c::CmbHDList)));
    EXPECT_TRUE(compact().timerRunning());

    const winui::ComboBox drives(strip(c::CmbHDList));
    ASSERT_GT(drives.count(), 0);
    EXPECT_EQ(drives.text(0), "C: ドライブ");
    EXPECT_EQ(drives.selected(), 0);
    const winui::ComboBox cpus(strip(c::CmbCPUList));
    const winui::ComboBox adapters(strip(c::CmbNICList));
    if (cpus.count() == 0) {
        ASSERT_FALSE(dialogs_.shown.empty());
        EXPECT_EQ(dialogs_.shown.back().second, "Unable to locate the \"Processor\" performance object");
    }
    if (adapters.count() > 0) {
        EXPECT_EQ(compact().hint(c::CmbNICList), adapters.text(adapters.selected()));
    }

    // The tick writes the figures again.
    SetWindowTextW(strip(c::LblMemTotal), L"");
    tick();
    EXPECT_EQ(label(c::LblMemTotal), engine::megabytesText(machine_.platform().meters.globalMemoryStatus().totalPhys));
    EXPECT_NE(label(c::LblMemFree), "#,### MB");
    EXPECT_EQ(label(c::LblMemUse), std::to_string(compact().bar(c::PrgMemUse)) + " %");
    EXPECT_NE(label(c::LblHDTotal), "###,### MB");
    EXPECT_EQ(label(c::LblHDUse), std::to_string(compact().bar(c::PrgHDUse)) + " %");
    EXPECT_EQ(label(c::LblReceiveSpeed).substr(label(c::LblReceiveSpeed).size() - 5), " Kbbs");
    // What the prefix answered, for the log.
    std::printf("CPUs %d, adapters %d; memory %s of %s; disk %s of %s; received %s\n", cpus.count(), adapters.count(),
                label(c::LblMemFree).c_str(), label(c::LblMemTotal).c_str(), label(c::LblHDFree).c_str(),
                label(c::LblHDTotal).c_str(), label(c::LblReceiveSpeed).c_str());

    // A list with nothing to choose shows "未対応" in a field of its own; then items again.
    RECT before{}, after{};
    SendMessageW(strip(c::CmbNICList), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&before));
    compact().setChoices(c::CmbNICList, engine::ChoiceList{{}, -1, true});
    const winui::ComboBox unsupported(strip(c::CmbNICList));
    SendMessageW(unsupported.handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&after));
    // In the same place, dropping as far (a field of text may be a pixel taller).
    EXPECT_EQ(std::tuple(before.left, before.top, before.right), std::tuple(after.left, after.top, after.right));
    EXPECT_NEAR(before.bottom, after.bottom, 2);
    EXPECT_TRUE(unsupported.editable());
    EXPECT_TRUE(IsWindowVisible(unsupported.handle()));
    EXPECT_EQ(winui::windowText(unsupported.handle()), "未対応");
    compact().setChoices(c::CmbNICList, engine::ChoiceList{{"eth0"}, 0, false});
    EXPECT_FALSE(winui::ComboBox(strip(c::CmbNICList)).editable());
    EXPECT_EQ(winui::ComboBox(strip(c::CmbNICList)).text(0), "eth0");

    // Closing the panel stops the timer and empties the lists.
    click(strip(c::BtnPerformance));
    EXPECT_FALSE(compact().timerRunning());
    EXPECT_EQ(drives.count() + winui::ComboBox(strip(c::CmbCPUList)).count(), 0);
    EXPECT_EQ(client().cy, 29);
}

TEST_F(CompactWindowTest, SamplingRunsExactlyWhileShownWithThePanelOpen) {
    compact().show(true);
    pump();
    const HWND window = compact().hwnd();
    ASSERT_TRUE(compact().timerRunning());
    click(strip(c::BtnCompact));
    EXPECT_FALSE(compact().timerRunning());
    compact().show(false);
    pump();
    EXPECT_TRUE(compact().timerRunning());
    click(strip(c::BtnMinimum));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(compact().timerRunning());
    // Restored from minimised, the window samples again.
    ShowWindow(window, SW_RESTORE);
    pump();
    EXPECT_TRUE(compact().timerRunning());
    // Parked in the tray and back on a click on the icon.
    const NotificationArea tray;
    click(strip(c::BtnTray));
    ASSERT_TRUE(compact().tray().parked());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(compact().timerRunning());
    SendMessageW(window, winui::TrayIcon::kCallback, 1, WM_LBUTTONUP);
    pump();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(compact().timerRunning());
    // Closed from the system menu: the main window comes back.
    SendMessageW(window, WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    EXPECT_FALSE(compact().timerRunning());
    // The close button closes the main window, which ends the program.
    bool closed = false;
    window_->closed = [&closed] { closed = true; };
    compact().show(false);
    click(strip(c::BtnClose_s));
    EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace hastelyn::win32test
