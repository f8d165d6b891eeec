// The save-and-restore window of Hastelyn.exe driven by messages: a restore point made and put
// back through the file dialog, the main window shown again after it; its pages, the wheel and
// the memo's menu; the system's file dialog as the restore asks for it.
#include "tests/ui_win32/MainWindowFixture.h"

#include <filesystem>

#include "engine/Passes.h"
#include "engine/SaveAndRestore.h"
#include "ui/model/RestoreControls.h"
#include "ui/win32/Win32FileDialog.h"

namespace hastelyn::win32test {
namespace {

namespace restore = ui::model::restore;

// Answers the restore's file dialog with a path, without showing it; keeps what was asked.
class AnsweringDialog : public engine::FileOpenDialog {
public:
    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override {
        asked = {std::string(title), std::string(filter), std::string(folder)};
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> asked;
};

class RestoreWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        if (IsSkipped()) return;
        restore_ = &windows_->restore;
        restore_->setFileOpenDialog(files_);
        SendMessageW(window_->handle(main::BtnRestore), BM_CLICK, 0, 0);
        pump();
    }
    HWND control(const ui::model::Control& row) const { return restore_->handle(row); }
    void click(const ui::model::Control& row) {
        dialogs_.confirmations = 0;
        SendMessageW(control(row), BM_CLICK, 0, 0);
        pump();
    }
    std::vector<std::string> restorePoints() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(widen(folder_.path()))))
            if (entry.path().filename().wstring().starts_with(L"復元ポイント")) found.push_back(narrow(entry.path().wstring()));
        return found;
    }

    winui::RestoreWindow* restore_ = nullptr;
    AnsweringDialog files_;
};

TEST_F(RestoreWindowTest, ARestorePointMadeAndPutBackBringsTheRowAndTheCountersBack) {
    ASSERT_TRUE(IsWindowVisible(restore_->hwnd()));
    EXPECT_FALSE(IsWindowEnabled(window_->hwnd()));

    click(restore::controls::BtnBackup);
    const std::vector<std::string> made = restorePoints();
    ASSERT_EQ(made.size(), 1u);

    // The row changed since: ticked, one counted less as still to do.
    setMenuShowDelay(L"50");
    engine::readPass(*session_);
    window_->showRowsAgain();
    window_->screen().countItems();
    ASSERT_TRUE(list(kDesktop).checked(kMenuShowDelayRow));
    const std::string restBefore = text(main::LblRest);

    // Cancelled: nothing changes; then the restore point chosen.
    click(restore::controls::BtnRecovery);
    EXPECT_EQ(files_.asked, (std::vector<std::string>{std::string(engine::kRestorePointDialogTitle),
                                                      std::string(engine::kRestorePointDialogFilter), folder_.path() + "\\"}));
    EXPECT_EQ(menuShowDelay(), L"50");
    files_.answer = made.front();
    click(restore::controls::BtnRecovery);
    EXPECT_EQ(menuShowDelay(), L"400");
    EXPECT_FALSE(list(kDesktop).checked(kMenuShowDelayRow));
    EXPECT_EQ(text(main::LblRest), std::to_string(session_->model.restCount()));
    EXPECT_NE(text(main::LblRest), restBefore);
}

TEST_F(RestoreWindowTest, ThePagesTheWheelTheMemosMenuAndClosing) {
    // The right arrow on the page control shows the mail page, which the memo explains (what is
    // spoken: the keyboard walk).
    SetFocus(restore_->pages().handle());
    pump();
    press(GetFocus(), VK_RIGHT, 0x4D);
    EXPECT_EQ(restore_->pages().current(), 1);
    EXPECT_TRUE(IsWindowVisible(control(restore::controls::BtnBackupOE)));
    EXPECT_FALSE(IsWindowVisible(control(restore::controls::BtnBackup)));
    EXPECT_TRUE(winui::windowText(control(restore::controls::Comment)).starts_with("現在、インターネットの普及に伴い、\r\n"));
    // The wheel turned down from the last page shows the first; in the memo it scrolls the memo.
    for (const HWND to : {control(restore::controls::Comment), GetFocus()})
        PostMessageW(to, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    pump();
    EXPECT_EQ(restore_->pages().current(), 0);

    // The memo's menu is the main window's search menu: its first engine looks the selection up.
    const HWND memo = control(restore::controls::Comment);
    searchWithFirstEngine(memo, 4, 8);
    EXPECT_EQ(window_->pagesScreen().commentary().searchWord(), "パソコン");
    EXPECT_EQ(started_.byRow().size(), 1u);

    // Closed by its close box without a word (Escape: the keyboard walk), the main window enabled.
    clipboard_.setText("x");
    SendMessageW(restore_->hwnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindowVisible(restore_->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(window_->hwnd()));
    EXPECT_EQ(clipboard_.text(), "x");
}

TEST(Win32FileDialog, AsksTheSystemsDialogForTheFolderAndTheFilterGiven) {
    const winui::OpenFileRequest request(nullptr, engine::kRestorePointDialogTitle, engine::kRestorePointDialogFilter,
                                         "C:\\Program Files\\Hastelyn");
    const OPENFILENAMEW& asked = request.description();
    EXPECT_EQ(std::wstring(asked.lpstrTitle), widen(engine::kRestorePointDialogTitle));
    EXPECT_EQ(std::wstring(asked.lpstrInitialDir), L"C:\\Program Files\\Hastelyn");
    const wchar_t pairs[] = L"復元ポイント\0復元ポイント*\0Iniファイル\0*.ini\0";
    EXPECT_EQ(std::wstring(asked.lpstrFilter, std::size(pairs)), std::wstring(pairs, std::size(pairs)));
    EXPECT_EQ(asked.nFilterIndex, 1u);
    EXPECT_TRUE(asked.Flags & OFN_FILEMUSTEXIST);
    EXPECT_GT(asked.nMaxFile, static_cast<DWORD>(MAX_PATH));
}

}  // namespace
}  // namespace hastelyn::win32test
