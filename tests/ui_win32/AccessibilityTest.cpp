// The main window as a screen reader reads it through MSAA (oleacc). Wine 8's system objects
// answer names and the unavailable, focused and read-only states; every control reads as a
// client (an edit as text). Windows' answer beyond that the roles (push button, page tab list,
// list) and the page tabs as the page control's children. A check list's rows are the window's
// own objects (CheckListAccessible) on both: check boxes, checked when ticked.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WideText.h"
#include "tests/ui_win32/MainWindowFixture.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/model/MainTexts.h"

namespace hastelyn::win32test {
namespace {

namespace main = ui::model::main;
namespace pages = ui::model::pages;

using MainWindowAccessibility = MainWindowTest;

// The window's client object, or one of its children: its name, or its state.
std::string nameOf(HWND window, long* state = nullptr, long child = CHILDID_SELF) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return "(no object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = child;
    BSTR name = nullptr;
    const std::string read = object->get_accName(self, &name) == S_OK ? win32::narrow(name) : "";
    SysFreeString(name);
    VARIANT got{};
    if (state != nullptr && SUCCEEDED(object->get_accState(self, &got))) *state = got.lVal;
    object->Release();
    return read;
}

bool has(HWND window, long state, long child = CHILDID_SELF) {
    long read = 0;
    nameOf(window, &read, child);
    return (read & state) != 0;
}

TEST_F(MainWindowAccessibility, NamesAreTheModelsNames) {
    std::vector<std::pair<HWND, std::string>> named{
        // As the Linux front end names them too (tests/accessibility).
        {window_->tweakList(kDesktop), "デスクトップ 一覧"},
        {window_->servicesList(), "不要サービス 一覧"},
        {window_->handle(pages::EdtUser), "使用者"},
        {window_->handle(main::BtnAccelerate), "高速化設定"},
        {window_->pages().handle(), "ページ"},  // its tabs are its children on Windows only
        {window_->handle(main::ImgTitle), std::string(main::ImgTitle.hint)},
    };
    // The title strip's picture buttons and the tool buttons show no name of their own.
    for (const auto rows : {std::span<const ui::model::Control* const>(main::kMenuButtons),
                            std::span<const ui::model::Control* const>(main::kTitleButtons)})
        for (const ui::model::Control* row : rows) named.emplace_back(window_->handle(*row), main::accessibleName(*row));
    for (std::size_t i = 0; i < engine::kTweakCategoryCount; ++i)
        named.emplace_back(window_->tweakList(i), main::pageListName(*main::kPages[i]));
    for (const ui::model::Control* row : {&pages::LstUtility, &pages::LstHDDefrag, &pages::LstHDConvert, &pages::LstInfo,
                                          &pages::Comment, &pages::BtnComment, &pages::BtnWMP6, &pages::BtnConvert})
        named.emplace_back(window_->handle(*row), pages::accessibleName(*row));
    for (const ui::model::Control* field : pages::kInfoFields)
        named.emplace_back(window_->handle(*field), pages::accessibleName(*field));
    for (const auto& [window, name] : named) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(nameOf(window), name);
    }
}

TEST_F(MainWindowAccessibility, StatesFollowFocusEnablingAndReadOnly) {
    const HWND desktop = window_->handle(main::BtnDesktop);
    const HWND rows = window_->tweakList(kDesktop);
    SendMessageW(desktop, BM_CLICK, 0, 0);
    pump();
    for (const HWND focused : {desktop, rows}) {
        SetFocus(focused);
        EXPECT_EQ(has(desktop, STATE_SYSTEM_FOCUSED), focused == desktop);
        EXPECT_EQ(has(rows, STATE_SYSTEM_FOCUSED), focused == rows);
    }
    // A check list's rows: named by their texts, checked as ticked, a locked row unavailable.
    list(kDesktop).setChecked(kMenuShowDelayRow, true);
    for (int i = 0; i < list(kDesktop).count(); ++i) {
        EXPECT_EQ(nameOf(rows, nullptr, i + 1), row(kDesktop, i).label);
        EXPECT_EQ(has(rows, STATE_SYSTEM_CHECKED, i + 1), row(kDesktop, i).ticked) << i;
        EXPECT_EQ(has(rows, STATE_SYSTEM_UNAVAILABLE, i + 1), i == kLockedRow) << i;
    }
    // A control the screen disables is unavailable.
    const HWND tool = window_->handle(pages::BtnWMP6);
    EXPECT_FALSE(has(tool, STATE_SYSTEM_UNAVAILABLE));
    window_->setEnabled(pages::BtnWMP6, false);
    EXPECT_TRUE(has(tool, STATE_SYSTEM_UNAVAILABLE));
    // The memo and the fields the user cannot change are read-only; the owner's field is not.
    EXPECT_TRUE(has(window_->handle(pages::Comment), STATE_SYSTEM_READONLY));
    EXPECT_TRUE(has(window_->handle(pages::EdtProduct), STATE_SYSTEM_READONLY));
    EXPECT_FALSE(has(window_->handle(pages::EdtUser), STATE_SYSTEM_READONLY));
}

}  // namespace
}  // namespace hastelyn::win32test
