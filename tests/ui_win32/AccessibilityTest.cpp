// The main window as a screen reader reads it through MSAA (oleacc): the names and states of
// its controls follow what the window shows.
//
// Wine 8's oleacc answers the names and the unavailable, focused and read-only states; every
// control reads as a client (an edit as text), and a list's rows are not its children. Windows
// answers beyond that each control's role (push button, check box for the stay-on-top toggle,
// page tab list, list) and a list view's rows as children: their texts as names, a ticked
// row's check box as checked.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <string>

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

// What a screen reader asks a window: its client object's name and state.
struct Read {
    std::string name;
    long state = 0;
};

Read read(HWND window) {
    Read r;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        r.name = "(no object)";
        return r;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) r.name = win32::narrow(name);
    SysFreeString(name);
    VARIANT state;
    VariantInit(&state);
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4) r.state = state.lVal;
    object->Release();
    return r;
}

TEST_F(MainWindowAccessibility, NamesAreTheModelsNames) {
    struct Named {
        HWND window;
        std::string name;
    };
    std::vector<Named> named;
    // The menu, the accelerate button and the title strip's picture buttons, which draw no text.
    for (const ui::model::Control* row : main::kMenuButtons)
        named.push_back({window_->handle(*row), std::string(main::accessibleName(*row))});
    for (const ui::model::Control* row : main::kTitleButtons)
        named.push_back({window_->handle(*row), std::string(main::accessibleName(*row))});
    named.push_back({window_->handle(main::BtnAccelerate), "高速化設定"});
    named.push_back({window_->handle(main::ImgTitle), std::string(main::ImgTitle.hint)});
    // The controls that draw no text of their own. (The page tabs' captions are the tab control's
    // children on Windows; Wine gives it none.)
    named.push_back({window_->pages().handle(), "ページ"});
    // As the Linux front end names them (tests/accessibility), and by the model's rules.
    named.push_back({window_->tweakList(kDesktop), "デスクトップ 一覧"});
    named.push_back({window_->handle(pages::EdtUser), "使用者"});
    for (std::size_t i = 0; i < engine::kTweakCategoryCount; ++i)
        named.push_back({window_->tweakList(i), main::pageListName(*main::kPages[i])});
    named.push_back({window_->servicesList(), "不要サービス 一覧"});
    for (const ui::model::Control* row : {&pages::LstUtility, &pages::LstHDDefrag, &pages::LstHDConvert,
                                          &pages::LstInfo, &pages::Comment, &pages::BtnComment, &pages::BtnWMP6})
        named.push_back({window_->handle(*row), std::string(pages::accessibleName(*row))});
    for (const ui::model::Control* field : pages::kInfoFields)
        named.push_back({window_->handle(*field), std::string(pages::accessibleName(*field))});

    for (const Named& n : named) {
        ASSERT_NE(n.window, nullptr) << n.name;
        EXPECT_FALSE(n.name.empty());
        EXPECT_EQ(read(n.window).name, n.name);
    }
}

TEST_F(MainWindowAccessibility, StatesFollowFocusEnablingAndReadOnly) {
    const auto has = [](HWND window, long state) { return (read(window).state & state) != 0; };
    const HWND desktop = window_->handle(main::BtnDesktop);
    const HWND list = window_->tweakList(kDesktop);
    SendMessageW(desktop, BM_CLICK, 0, 0);
    pump();
    SetFocus(desktop);
    EXPECT_TRUE(has(desktop, STATE_SYSTEM_FOCUSED));
    EXPECT_FALSE(has(list, STATE_SYSTEM_FOCUSED));
    SetFocus(list);
    EXPECT_FALSE(has(desktop, STATE_SYSTEM_FOCUSED));
    EXPECT_TRUE(has(list, STATE_SYSTEM_FOCUSED));

    // A control the screen disables reads as unavailable. (The locked row of the list is greyed
    // by the list; on Windows its row object does not say so either.)
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
