#pragma once
// The options window: the general settings, the locked items, the version and the hidden display
// page. Made hidden at the start, after the other three windows (its making applies the stored
// display settings to them all), and shown from the main window on one of its pages. What it
// shows and does is its screen's (ui/model/OptionsScreen.h); here are the controls, each page
// built in a file of its own (OptionsGeneralPage, OptionsLockPage, OptionsVersionPage,
// OptionsHiddenPage).
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/Session.h"
#include "ui/model/OptionsScreen.h"
#include "ui/win32/OptionsDisplay.h"
#include "ui/win32/SideWindow.h"
#include "ui/win32/UiFont.h"
#include "ui/win32/Win32FileDialog.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/controls/TabControl.h"

namespace hastelyn::winui {

class MainWindow;
class CompactWindow;
class RestoreWindow;

class OptionsWindow final : public SideWindow, public Win32WindowView, public ui::model::OptionsView {
public:
    static constexpr const wchar_t* kClassName = L"TFrmSub";

    OptionsWindow(engine::Session& session, MainWindow& main, CompactWindow& compact, RestoreWindow& restore);
    ~OptionsWindow() override;

    // Shown on the given page (options::controls::kGeneralPage, kVersionPage, ...), centred on the
    // main window the first time.
    void show(std::size_t page);
    // Escape closes; the wheel turns the pages; the screen hears where the focus went.
    bool process(MSG& message) override;

    ui::model::OptionsScreen& screen() {
        made();
        return *screen_;
    }
    const TabControl& pages() const { return tabs_; }
    // The file dialog of the browse buttons (the system's own, unless a test gives another).
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { screen().setFileOpenDialog(dialog); }
    // The colour dialog of the colour labels: the chosen colour (00BBGGRR), or nothing when
    // cancelled. The system's colour dialog unless a test gives another.
    using ColourChooser = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;
    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

    // The screen's calls.
    void setCaption(const ui::model::Control& control, std::string_view text) override;
    void setChecked(const ui::model::Control& control, bool checked) override;
    void focus(const ui::model::Control& control) override;
    void showPage(const ui::model::Control& pages, int index) override;
    void setPosition(const ui::model::Control& track, int position) override;
    void addPage(const ui::model::Control& pages, const ui::model::Control& page) override;

private:
    friend class SideWindow;  // its procedure
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code);
    bool buttonClicked(const ui::model::Control& row, HWND button);
    void scrolled(int code, int thumb);
    HBRUSH colourStatic(HDC dc, HWND control);
    void drawLabelButton(const DRAWITEMSTRUCT& item) const;
    void close();
    void noticeFocus();
    void showPageWindow(int index);
    // The radio button checked and, as Windows does, the one Tab reaches in its group.
    void checkRadio(const ui::model::Control& radio, bool checked);

    // A control of a page, placed at its row's place on its group (origin: the group's corner
    // on the page), in the windows' font. Radio buttons start a group with the first of theirs.
    HWND place(HWND page, const ui::model::Control& row, const wchar_t* className, DWORD style, POINT origin = {});
    POINT group(HWND page, const ui::model::Control& row);
    // A label the keyboard reaches and Enter or a click presses: a link, a colour label.
    HWND labelButton(HWND page, const ui::model::Control& row, POINT origin);
    // The pages and the screen over them, made the first time the window is shown or its screen
    // is asked for: the program's start makes the window alone (the stored display settings
    // reach every window then all the same).
    void made();
    void buildGeneralPage(HWND page);
    void buildLockPage(HWND page);
    void buildVersionPage(HWND page);
    void buildHiddenPage(HWND page);
    HBRUSH brush(std::uint32_t colour);

    engine::Session& session_;
    MainWindow& main_;
    const UiFont font_;
    const UiFont nameFont_{24, true};
    TabControl tabs_;
    std::array<HWND, 4> pageWindows_{};
    HWND lastFocus_ = nullptr;
    HWND focusBack_ = nullptr;  // where the focus was when the window was left
    HFONT linkFont_ = nullptr;
    bool settingCaption_ = false;  // an edit's text set by the screen: no user's edit
    std::vector<std::pair<std::uint32_t, HBRUSH>> brushes_;
    Win32FileDialog fileDialog_;
    ColourChooser chooseColour_;
    DisplayTargets targets_;
    std::unique_ptr<ui::model::OptionsScreen> screen_;
};

}  // namespace hastelyn::winui
