// The options window without widgets: what it loads, shows, writes and says, on every edition.
#include <gtest/gtest.h>

#include <functional>
#include <span>

#include "tests/engine/EngineFixture.h"
#include "tests/ui_model/FakeWindowView.h"
#include "ui/model/OptionsScreen.h"

namespace hastelyn::ui::model {
namespace {

namespace ctl = options::controls;
using testing::EngineFixture;
using testing::MiniMachine;

// The focus moves as the platform moves it: the screen hears of each move.
class FakeOptionsView : public FakeWindowView, public OptionsView {
public:
    OptionsScreen* screen = nullptr;
    const Control* focusedRow = nullptr;
    std::vector<std::string> pagesAdded;

    void focus(const Control& c) override {
        FakeWindowView::focus(c);
        const Control* from = std::exchange(focusedRow, &c);
        if (screen != nullptr) screen->focusMoved(from, &c);
    }
    void setPosition(const Control& track, int position) override { (*this)[track.name].page = position; }
    void addPage(const Control&, const Control& page) override { pagesAdded.emplace_back(page.name); }
};

class FakeTargets : public OptionsTargets {
public:
    std::vector<std::string> calls;
    void setTargetColour(ColourTarget t, std::uint32_t c) override { add("colour", static_cast<int>(t), c); }
    void setMainOpacity(int opacity) override { add("opacity", opacity); }
    void setTabStyle(foundation::TabStyle style) override { add("tabs", static_cast<int>(style)); }
    void setCommentFont(int size) override { add("font", size); }
    void setCommentHint(bool whole) override { add("hint", whole); }
    void repaintMain() override { calls.emplace_back("repaint"); }
    void applyLockedItems() override { calls.emplace_back("locks"); }
    bool has(std::string_view prefix) const {
        return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }

private:
    template <typename... A>
    void add(const char* what, A... args) {
        std::string call = what;
        ((call += " " + std::to_string(args)), ...);
        calls.push_back(call);
    }
};

MiniMachine machine(const std::string& general, const char* edition = "xp") {
    MiniMachine m;
    m.edition(edition).file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "[環境設定]\r\n" + general);
    return m;
}

struct Window {
    explicit Window(const MiniMachine& m) : fx(m), screen(fx.session(), view, targets) { view.screen = &screen; }
    std::string setting(std::string_view key) { return fx.session().settings.general(key); }
    EngineFixture fx;
    FakeOptionsView view;
    FakeTargets targets;
    OptionsScreen screen;
};

TEST(OptionsScreen, TransparencyGroupAndStoredOpacityOnlyWithLayeredWindows) {
    const std::pair<const char*, bool> editions[] = {{"95", false}, {"98", false},  {"me", false},   {"nt4", false},
                                                     {"2000", true}, {"xp", true},  {"2003", false}, {"vista", false}};
    for (const auto& [edition, layered] : editions) {
        Window w(machine("Transparent=128\r\n", edition));
        for (const char* name : {"GrpTrans", "ScrTrans", "EdtTrans"}) EXPECT_EQ(w.view[name].enabled, layered) << edition << name;
        EXPECT_EQ(w.targets.has("opacity 128"), layered) << edition;
        w.screen.transparencyMoved(3);
        w.screen.applyHidden();
        EXPECT_EQ(w.targets.has("opacity 3"), layered) << edition;
        EXPECT_EQ(w.fx.dialogs().shown.size(), layered ? 1u : 0u) << edition;
        EXPECT_EQ(w.setting("Transparent"), layered ? "3" : "128") << edition;
    }
}

TEST(OptionsScreen, ATransparencyNeverSetIsNotAppliedAndTheBarStandsOpaque) {
    Window w(machine("Sound=On\r\n"));
    EXPECT_EQ(w.view["ScrTrans"].page, 255);
    EXPECT_EQ(w.view["EdtTrans"].caption, "");
    w.screen.applyHidden();
    EXPECT_FALSE(w.targets.has("opacity"));
    EXPECT_TRUE(w.fx.dialogs().shown.empty());
    EXPECT_EQ(w.setting("Transparent"), "NULL");

    w.screen.transparencyTyped("300");  // stops at the bar's end, which the edit then shows
    EXPECT_EQ(w.view["EdtTrans"].caption, "255");
    w.screen.transparencyTyped("x");  // no number: the bar stays
    EXPECT_EQ(w.view["ScrTrans"].page, 255);
    w.screen.transparencyMoved(4);
    EXPECT_EQ(w.view["EdtTrans"].caption, "4");
    w.screen.applyHidden();
    EXPECT_TRUE(w.targets.has("opacity 4"));
    EXPECT_EQ(w.setting("Transparent"), "4");
    ASSERT_EQ(w.fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(w.fx.dialogs().shown[0].second, "\r\n透明度を増やすか、タスクバーから「Hastelyn」を終了してください。");
    EXPECT_EQ(w.fx.clipboard().text(),
              "情報のメッセージ。透明度を増やすか、タスクバーから「Hastelyn」を終了してください。Enterキーを押すと 画面を閉じます。");
}

TEST(OptionsScreen, TheGeneralPageShowsAndWritesWhatTheSettingsHoldNow) {
    // Made before the first start's prompt is answered; F6 then switches speech on.
    Window w(machine("FontSize=12\r\nSpeechOutput=Both\r\n"));
    EXPECT_FALSE(w.view["ChcSound"].checked);
    EXPECT_TRUE(w.view["RdFontG"].checked);
    EXPECT_TRUE(w.view["ChcSpeechOutput"].checked);
    w.screen.switchTicked(ctl::Reboot, true);  // not applied yet
    w.fx.session().settings.write("環境設定", "Sound", "On");
    w.screen.shown(ctl::kGeneralPage);
    EXPECT_TRUE(w.view["ChcSound"].checked);
    EXPECT_TRUE(w.view["ChcReboot"].checked);
    w.screen.applyGeneral();
    EXPECT_EQ(w.setting("Sound"), "On");
    EXPECT_EQ(w.setting("DlgReboot"), "On");
    EXPECT_EQ(w.setting("FontSize"), "12");
    EXPECT_EQ(w.setting("SpeechOutput"), "Both");  // kept while the box stays ticked
    EXPECT_EQ(w.targets.calls.back(), "hint 0");

    // What the user changed since stays when nothing changed under it.
    w.screen.switchTicked(ctl::Sound, false);
    w.screen.speechOutputTicked(false);
    w.screen.activated();
    EXPECT_TRUE(w.view["ChcSound"].checked == false);
    w.screen.applyGeneral();
    EXPECT_EQ(w.setting("Sound"), "Off");
    EXPECT_EQ(w.setting("SpeechOutput"), "NULL");
    w.screen.speechOutputTicked(true);
    w.screen.applyGeneral();
    EXPECT_EQ(w.setting("SpeechOutput"), "Speech");
}

TEST(OptionsScreen, ControlsSayTheirNamesAndTexts) {
    Window w(machine("Sound=On\r\n"));
    const std::pair<const Control*, const char*> names[] = {
        {&ctl::EdtBootPath, "boot.ini"},        {&ctl::BtnSysocPath, "sysoc.inf の参照"},
        {&ctl::kFontButtons[0], "文字の大きさ 最小"}, {&ctl::lockBoxes()[2], "システム 3"},
        {&ctl::lockBoxes()[61], "パソコン情報 2"}, {&ctl::lockBoxes()[63], "不要サービス 全てのサービス"},
        {&ctl::ScrTrans, "透明度"},             {&ctl::kSwatches[1], "メニューバー"},
        {&ctl::BtnHidden, "・・・クリック？"},  {&ctl::kStyleButtons[1], "Old (Tervossa)"},
    };
    for (const auto& [control, name] : names) EXPECT_EQ(ctl::accessibleName(*control), name) << control->name;
    EXPECT_EQ(ctl::lockBoxes().size(), 64u);

    const std::string apply = "適用プッシュボタンです。Enterキーを押すと 指定した設定を適用します。Tabキーを押すと 次のコントロールに移動します。";
    const std::string close = "閉じるプッシュボタンです。Enterキーを押すと 環境設定ウィンドウを閉じます。Tabキーを押すと 次のコントロールに移動します。";
    const std::tuple<std::size_t, const Control*, std::string> spoken[] = {
        {0, &ctl::BtnOKO, apply},
        {0, &ctl::BtnCloseO, close},
        {1, &ctl::BtnCloseOK, close},
        {2, &ctl::BtnOKV, close},
        {1, &ctl::BtnOKD, ""},
        {0, &ctl::PgOption, "環境設定ページです。Tabキーを押すと 次のコントロールに移動します。右キーを押すと 次のページに移動します。"},
        {1, &ctl::PgOption, ""},
        {2, &ctl::PgOption, "バージョン情報ページです。Tabキーを押すと 次のコントロールに移動します。左キーを押すと 前のページに移動します。"},
    };
    for (const auto& [page, control, text] : spoken) {
        w.screen.shown(page);
        w.fx.clipboard().setText("");
        w.view.focus(*control);
        EXPECT_EQ(w.fx.clipboard().text(), text) << control->name << " " << page;
    }
    w.screen.shown(ctl::kVersionPage);
    w.view.focus(ctl::BtnOKV);
    w.view.focus(ctl::LblUrl);
    EXPECT_EQ(w.fx.clipboard().text(), "バージョン情報 Hastelyn ■ Version 1.92");

    // The reveal moves the focus off the version page: it says nothing of that page.
    w.view.focus(ctl::BtnOKV);
    w.fx.clipboard().setText("before");
    w.screen.revealHidden();
    EXPECT_EQ(w.view.pagesAdded, std::vector<std::string>{"TbHidden"});
    EXPECT_EQ(w.view["PgOption"].page, 3);
    EXPECT_EQ(w.view.focused, "PgOption");
    EXPECT_EQ(w.fx.clipboard().text(), "before");
    w.screen.closed();
    EXPECT_EQ(w.fx.clipboard().text(), "環境設定ウィンドウを閉じました。");
}

TEST(OptionsScreen, TheWheelTurnsThePagesRoundSilently) {
    Window w(machine("Sound=On\r\n"));
    w.fx.clipboard().setText("before");
    const std::pair<int, int> turns[] = {{120, 2}, {-120, 0}, {-120, 1}, {-120, 2}, {-120, 0}};
    for (const auto& [delta, page] : turns) {
        w.screen.wheel(delta);
        EXPECT_EQ(w.view["PgOption"].page, page);
    }
    w.screen.revealHidden();
    w.screen.wheel(-120);
    EXPECT_EQ(w.view["PgOption"].page, 0);
    w.screen.wheel(120);
    EXPECT_EQ(w.view["PgOption"].page, 3);
    EXPECT_EQ(w.fx.clipboard().text(), "before");
}

TEST(OptionsScreen, ColourStylesReachTheSixTargetsAndTheirTextsRead) {
    Window w(machine("Transparent=255\r\n"));
    w.screen.applyHidden();  // Default, never stored: no colour changes, none written
    EXPECT_FALSE(w.targets.has("colour"));
    EXPECT_EQ(w.setting("TitleColor"), "NULL");
    w.screen.colourPicked(1, 0x030201);
    EXPECT_TRUE(w.view["RdOptional"].checked);
    EXPECT_EQ(w.view["EdtMenuColor"].background, 0x030201u);
    w.screen.applyHidden();
    EXPECT_EQ(w.setting("ColorStyle"), "Optional");
    EXPECT_EQ(w.setting("MenuColor"), "$00030201");
    EXPECT_TRUE(w.targets.has("colour 1 197121"));

    // Every style, every text drawn on a coloured panel: a colour that reads there (the design's
    // own colours on the design's panels).
    const std::tuple<const char*, ColourTarget, const char*, std::uint32_t> shown[] = {
        {"Default", ColourTarget::Accel, "Label2", 0xFF0000}, {"Default", ColourTarget::Accel, "LblAll", 0x0000FF},
        {"Black", ColourTarget::Accel, "Label1", 0xFFFFFF},   {"Black", ColourTarget::Accel, "Label2", 0xFFFFFF},
        {"Black", ColourTarget::Sub, "LblSite", 0xFFFFFF},    {"Black", ColourTarget::Accel, "LblRest", 0x0000FF},
        {"Green", ColourTarget::Accel, "LblAll", 0xFFFFFF},   {"Green", ColourTarget::Accel, "Label1", 0x000000},
        {"Red", ColourTarget::Title, "", 0x000000},           {"Blue", ColourTarget::Sub, "LblSite", 0xFFFFFF},
        {"Blue", ColourTarget::Restore, "", 0xFFFFFF},        {"Yellow", ColourTarget::Accel, "Label2", 0xFF0000},
    };
    for (const auto& [style, target, name, colour] : shown)
        EXPECT_EQ(textColourOn(target, name, engine::findColorStyle(style)->colors[static_cast<std::size_t>(target)]), colour)
            << style << " " << name;
    for (const engine::ColorStyle& style : std::span(engine::kColorStyles).subspan(1))
        for (const TextOnPanel& text : kTextsOnPanels) {
            const std::uint32_t panel = style.colors[static_cast<std::size_t>(text.target)];
            EXPECT_GE(colours::contrast(textColourOn(text.target, text.name, panel), panel), 3.0) << style.name << text.name;
        }
}

}  // namespace
}  // namespace hastelyn::ui::model
