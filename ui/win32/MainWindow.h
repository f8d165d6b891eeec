#pragma once
// The main window (class "TFrmMain", so that a second instance finds it): its own title strip,
// the menu of categories, the two-row page control with the five tweak lists, the counters and
// the accelerate button. It carries out the main screen's calls and serves the pages' share.
// The services, utilities and PC-information pages and the commentary memo under the pages are
// made in files of their own (ServicesPage, UtilityPage, PcInfoPage, CommentaryMemo).
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Session.h"
#include "ui/model/MainPagesScreen.h"
#include "ui/model/MainScreen.h"
#include "ui/model/OptionsDisplay.h"
#include "ui/win32/CheckListControl.h"
#include "ui/win32/TrayIcon.h"
#include "ui/win32/UiFont.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/WindowScroller.h"
#include "ui/win32/controls/ToolTip.h"
#include "ui/win32/controls/TabControl.h"

namespace hastelyn::winui {

class MainWindow final : public Win32WindowView,
                         public ui::model::MainView,
                         public ui::model::MainPagesView,
                         public ui::model::MainPages {
public:
    static constexpr const wchar_t* kClassName = L"TFrmMain";

    // Makes the window, hidden, in the middle of the screen.
    explicit MainWindow(engine::Session& session);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    ui::model::MainScreen& screen() { return *screen_; }
    const TabControl& pages() const { return tabs_; }
    HWND tweakList(std::size_t category) const { return lists_[category]->handle(); }
    const TrayIcon& tray() const { return tray_; }
    HWND servicesList() const { return services_->handle(); }
    ui::model::MainPagesScreen& pagesScreen() { return pagesScreen_; }
    const ToolTip& commentHint() const { return commentHint_; }
    // Runs when the window is gone: the program ends.
    std::function<void()> closed = [] { PostQuitMessage(0); };
    // Shows the side window a command asks for (the compact, save-and-restore or options window).
    std::function<void(ui::model::MainAction)> showSideWindow = [](ui::model::MainAction) {};

    // What the options window sets (MainWindowDisplay.cpp): the title strip's, menu's and work
    // area's colours, the commentary memo's font size (points) and hint, the locked items anew.
    void setTargetColour(ui::model::ColourTarget target, std::uint32_t colour);
    std::uint32_t targetColour(ui::model::ColourTarget target) const { return targetColours_.at(static_cast<std::size_t>(target)); }
    void setCommentFont(int pointSize);
    void setCommentHint(bool wholeText);
    void applyLockedItems();

    // Shows the window; the start-up speech follows 3 seconds later.
    void show();
    // One message of the thread's queue, as the program's loop handles it: the keyboard map
    // first (Alt, Escape and F1 are its alone; Tab follows the screen's walk), the dialog keys,
    // the control; then the screen is told when the focus moved.
    void process(MSG& message);

    // The screen's calls.
    void setCaption(const ui::model::Control& control, std::string_view text) override;
    void showPage(const ui::model::Control& pages, int index) override;
    void act(ui::model::MainAction action) override;
    void useSmallScreen() override;
    void useSixteenColourGlyphs() override {}
    void setReadOnly(const ui::model::Control& field, bool readOnly) override;
    void setHint(const ui::model::Control& control, std::string_view text) override;
    void closeMenu(const ui::model::Control&) override {}

    // The pages' share.
    void setDrives(const std::vector<std::string>& drives) override;
    void showIntroduction() override;
    void disableForEdition(const foundation::DisabledControls& disabled) override;
    void readPcInformation() override;
    foundation::LockableControls lockableControls() override;
    void applyLocks(const foundation::LockableControls& marked) override;
    void showRowsAgain() override;
    void showServiceDetail(std::string_view displayName) override;

    // The web-search menu over a memo's selection, at a point of the screen (-1, -1: from the
    // keyboard, at the memo's corner); the save-and-restore window's memo shows it too.
    void searchMenu(HWND memo, POINT at);

private:
    static constexpr int kFirstListId = 3000;  // the tweak lists' control ids, in category order

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT notify(const NMHDR& header);
    void command(int id, int code);
    void build();
    void buildTitleStrip();
    void buildAboutPicture(HWND area);
    void buildWorkArea();
    void buildPages(HWND area);
    void layOutCounterLine();
    // The names a screen reader reads for the controls that draw no text of their own.
    void nameControlsForReaders();
    // Draws an owner-drawn button of the window; false for anything else.
    bool drawItem(const DRAWITEMSTRUCT& item);
    // The pages beyond the tweak lists and the commentary memo, each in its own file; a
    // page's command or notification is taken there (true) or left to the main screen.
    void buildServicesPage(HWND page);
    void buildUtilityPage(HWND page);
    void buildPcInfoPage(HWND page);
    void buildCommentary(HWND area);
    std::optional<LRESULT> servicesNotify(const NMHDR& header);
    HWND makePageList(HWND page, const ui::model::Control& row);
    bool pagesCommand(const ui::model::Control& row, int code);
    bool pcInfoCommand(const ui::model::Control& row);
    bool commentaryCommand(const ui::model::Control& row);
    static LRESULT CALLBACK memoProcedure(HWND memo, UINT message, WPARAM wParam, LPARAM lParam);
    void showPageWindow(int index);
    // The screen's Tab walk over the controls there are now; Tab and Shift+Tab follow it.
    std::vector<HWND> tabWalk() const;
    int tabOrder(HWND control) const;
    bool moveFocus(bool backwards);
    void paintBackground(HDC dc) const;
    HBRUSH colourStatic(HDC dc, HWND control);
    std::optional<bool> focusedTweakRowTicked() const;
    bool previewKey(const MSG& message);
    // The left button went down on this control: a check list notes its selected row.
    void noticePress(HWND control);
    void noticeFocus();

    engine::Session& session_;
    HWND hwnd_ = nullptr;
    const UiFont font_;
    const UiFont boldFont_{12, true};
    HBRUSH workArea_ = nullptr;
    HBRUSH titleStrip_ = nullptr;
    HBRUSH menu_ = nullptr;
    HBITMAP titlePicture_ = nullptr;
    HBITMAP aboutPicture_ = nullptr;
    TrayIcon tray_;
    // The window at 590 x 430 on a small screen scrolls over its 659 x 525 layout.
    WindowScroller scroller_{nullptr, {659, 525}};
    TabControl tabs_;
    std::array<HWND, 8> pageWindows_{};
    std::array<std::unique_ptr<CheckListControl>, engine::kTweakCategoryCount> lists_;
    std::unique_ptr<CheckListControl> services_;
    ToolTip commentHint_;
    WNDPROC memoDefault_ = nullptr;
    std::string searchCaption_;
    HBRUSH cream_ = nullptr;
    // In the order of ui::model::ColourTarget: title strip, menu, work area.
    std::array<std::uint32_t, 3> targetColours_{ui::model::colours::kTitleStrip, ui::model::colours::kMenu,
                                                ui::model::colours::kWorkArea};
    std::unique_ptr<UiFont> commentFont_;
    HWND lastFocus_ = nullptr;
    // The control of the window that had the focus last, given it back when the window comes
    // forward again (from a side window, another program), as a dialog's is. Kept as the focus
    // moves: a window disabled under a modal one has lost its focus before it is left.
    HWND focusLeft_ = nullptr;
    ui::model::MainPagesScreen pagesScreen_;
    std::unique_ptr<ui::model::MainScreen> screen_;
};

}  // namespace hastelyn::winui
