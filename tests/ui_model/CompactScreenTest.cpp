// The compact window without widgets: what each control is called for a screen reader, where the
// window goes so that the panel stays on the screen, when the meters are sampled, and which
// label, bar and list shows which of the meters' texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/EngineFixture.h"
#include "tests/ui_model/FakeWindowView.h"
#include "ui/model/CompactControls.h"
#include "ui/model/CompactScreen.h"
#include "ui/model/CompactTexts.h"

namespace hastelyn::ui::model {
namespace {

using Strings = std::vector<std::string>;
using testing::EngineFixture;
using testing::MiniMachine;

class FakeCompactView : public FakeWindowView, public CompactView {
public:
    WindowPlace where{{0, 0, 127, 29}, {0, 0, 1024, 738}};
    std::map<std::string, int, std::less<>> bars;
    std::map<std::string, engine::ChoiceList, std::less<>> lists;
    std::string nicHint;
    bool timer = false;

    WindowPlace place() const override { return where; }
    // A frame of 4 pixels round the client area.
    void placeWindow(int left, int top, int width, int height) override { where.frame = {left, top, width + 8, height + 8}; }
    void setBar(const Control& bar, int value) override { bars[std::string(bar.name)] = value; }
    void setChoices(const Control& list, const engine::ChoiceList& choices) override { lists[std::string(list.name)] = choices; }
    void setHint(const Control& control, std::string_view hint) override {
        ASSERT_EQ(control.name, "CmbNICList");
        nicHint = hint;
    }
    void setTimer(bool running) override { timer = running; }
};

MiniMachine scripted(std::string script, std::string_view edition = "xp") {
    MiniMachine m;
    m.edition(edition).meters = std::move(script);
    return m;
}

struct Compact {
    explicit Compact(const MiniMachine& m) : fx(m), screen(fx.session(), view) {
        screen.meters().reportError = [this](const std::string& text) { errors.push_back(text); };
    }
    Strings captions(std::initializer_list<const char*> labels) {
        Strings out;
        for (const char* label : labels) out.push_back(view[label].caption);
        return out;
    }
    EngineFixture fx;
    FakeCompactView view;
    CompactScreen screen;
    Strings errors;
};

TEST(CompactControls, EveryControlIsReadByItsOwnNameAndSpeaksNothingOfItsOwn) {
    const std::pair<const char*, const char*> expected[] = {
        {"Image1", "Hastelynコンパクトモード"}, {"BtnHelp", "ヘルプ"}, {"BtnVersion", "バージョン情報"},
        {"BtnCompact", "元の大きさに戻す"}, {"BtnPerformance", "パフォーマンス情報"},
        {"BtnTray", "タスクトレイに収納"}, {"BtnMinimum", "最小化"}, {"BtnClose_s", "終了"},
        {"GrpPerformance", "パフォーマンス"}, {"GrpCPU", "CPU"}, {"LblCPUListTitle", "表示CPU"},
        {"CmbCPUList", "表示CPU"}, {"LblCPUUseTitle", "使用率"}, {"LblCPUUse", ""}, {"PrgCPUUse", "CPU 使用率"},
        {"GrpMemory", "物理メモリ"}, {"LblMemTotalTitle", "合計"}, {"LblMemTotal", ""},
        {"LblMemFreeTitle", "利用可能"}, {"LblMemFree", ""}, {"LblMemUseTitle", "使用率"}, {"LblMemUse", ""},
        {"PrgMemUse", "物理メモリ 使用率"}, {"GrpVirtual", "仮想メモリ"}, {"LblVirtualTotalTitle", "合計"},
        {"LblVirtualTotal", ""}, {"LblVirtualFreeTitle", "利用可能"}, {"LblVirtualFree", ""},
        {"LblVirtualUseTitle", "使用率"}, {"LblVirtualUse", ""}, {"PrgVirtualUse", "仮想メモリ 使用率"},
        {"GrpPage", "ページングファイル"}, {"LblPageTotalTitle", "合計"}, {"LblPageTotal", ""},
        {"LblPageFreeTitle", "利用可能"}, {"LblPageFree", ""}, {"LblPageUseTitle", "使用率"}, {"LblPageUse", ""},
        {"PrgPageUse", "ページングファイル 使用率"}, {"GrpHD", "ハードディスク"}, {"LblHDListTitle", "表示ドライブ"},
        {"CmbHDList", "表示ドライブ"}, {"LblHDTotalTitle", "合計"}, {"LblHDTotal", ""},
        {"LblHDFreeTitle", "利用可能"}, {"LblHDFree", ""}, {"LblHDUseTitle", "使用率"}, {"LblHDUse", ""},
        {"PrgHDUse", "ハードディスク 使用率"}, {"GrpNetwork", "ネットワーク"}, {"LblNICListTitle", "表示NIC"},
        {"CmbNICList", "表示NIC"}, {"LblReceiveTitle", "受信"}, {"LblReceiveSpeed", ""},
        {"LblSendTitle", "送信"}, {"LblSendSpeed", ""},
    };
    ASSERT_EQ(std::size(compact::kAll), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Control& control = *compact::kAll[i];
        EXPECT_EQ(control.name, expected[i].first);
        EXPECT_EQ(compact::readName(control), expected[i].second) << control.name;
        EXPECT_EQ(control.spoken, "") << control.name;
    }
}

// The panel's frame (286 x 402, no frame of its own here) for the strip's frame at a place.
TEST(CompactPlacement, ThePanelStaysOnTheScreenWhereverTheStripIs) {
    struct Case {
        Rect workArea;
        int stripLeft, stripTop, left, top;
    };
    const Case cases[] = {
        {{0, 0, 1024, 738}, 448, 369, 448, 336},   // 1024 x 768, centred on the main window
        {{0, 0, 1024, 738}, 100, 100, 100, 100},   // room enough: stays
        {{0, 0, 800, 570}, 336, 285, 336, 168},    // 800 x 600, centred: 87 px off before
        {{0, 0, 640, 450}, 256, 225, 256, 48},     // 640 x 480, centred: 147 px off before
        {{0, 0, 1024, 738}, 960, 730, 738, 336},   // the bottom-right corner
        {{0, 0, 1024, 738}, -60, -20, 0, 0},       // past the top-left corner
        {{0, 30, 800, 570}, 10, 0, 10, 30},        // a task bar along the top
        {{1024, 0, 800, 570}, 1700, 500, 1538, 168},  // a second screen on the right
        {{0, 0, 320, 220}, 100, 100, 34, 0},       // a screen lower than the panel: its top
    };
    for (const Case& c : cases)
        EXPECT_EQ(keepOnScreen(c.workArea, {c.stripLeft, c.stripTop, 286, 402}), (Rect{c.left, c.top, 286, 402}))
            << c.workArea.width << " x " << c.workArea.height << " at " << c.stripLeft << ", " << c.stripTop;
}

TEST(CompactScreen, OpenedAtTheFootOfA640By480ScreenThePanelMovesUpJustEnoughWithItsFrame) {
    Compact x(scripted("[Tick1]\nIdle=0\n"));
    x.view.where = {{100, 100, 135, 37}, {0, 0, 640, 450}};
    x.screen.centreOver({25, 10, 590, 430});
    EXPECT_EQ(x.view.where.frame, (Rect{252, 206, 135, 37})) << "centred on the main window";
    x.screen.performanceClicked(true);
    EXPECT_EQ(x.view.where.frame, (Rect{252, 40, 294, 410}));
    EXPECT_TRUE(x.view["GrpPerformance"].visible);
    x.screen.performanceClicked(false);
    EXPECT_EQ(x.view.where.frame, (Rect{252, 40, 135, 37})) << "the strip stays where the panel was";
    EXPECT_FALSE(x.view["GrpPerformance"].visible);
    // Shown again with the panel open, centred on the main window and still on the screen.
    x.screen.performanceClicked(true);
    x.screen.centreOver({25, 10, 590, 430});
    EXPECT_EQ(x.view.where.frame, (Rect{173, 20, 294, 410}));
}

TEST(CompactScreen, TheMetersAreSampledExactlyWhileTheWindowShowsNotMinimisedWithTheViewOpen) {
    Compact x(scripted("[Tick1]\nIdle=0\n"));
    struct Step {
        const char* what;
        bool shown, minimised;
        int panel;  // 1 opens, -1 closes, 0 leaves it
        bool sampling;
    };
    const Step steps[] = {
        {"shown, view closed", true, false, 0, false},  {"view opened", true, false, 1, true},
        {"hidden", false, false, 0, false},             {"shown again", true, false, 0, true},
        {"minimised", true, true, 0, false},            {"restored", true, false, 0, true},
        {"view closed", true, false, -1, false},        {"hidden and shown", false, false, 0, false},
        {"shown", true, false, 0, false},               {"hidden, view opened", false, false, 0, false},
        {"view opened while hidden", false, false, 1, false}, {"shown", true, false, 0, true},
    };
    for (const Step& step : steps) {
        x.screen.windowState(step.shown, step.minimised);
        if (step.panel != 0) x.screen.performanceClicked(step.panel > 0);
        EXPECT_EQ(x.view.timer, step.sampling) << step.what;
        EXPECT_EQ(x.screen.meters().sampling(), step.sampling) << step.what;
    }
}

TEST(CompactScreen, EachLabelBarAndListShowsItsOwnMeter) {
    MiniMachine m = scripted(
        "[Tick1]\nIdle=0,0\nInterface1=6,5,7,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
        "MemoryLoad=42\nPhysical=1073741824,0\nVirtual=2147352576,1610612736\nPagingFile=0,0\n"
        "[Tick2]\nIdle=2500000,5000000\n"
        "Interface1=6,10000,20000,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n"
        "MemoryLoad=100\nPagingFile=3221225472,1610612736\n"
        "[Tick3]\nIdle=3750000,5000000\n"
        "Interface1=6,138000,20256,Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport\n");
    m.driveSpace('C', 40'000'000'000, 25'000'000'000);
    Compact x(m);
    const std::initializer_list<const char*> labels = {
        "LblCPUUse",    "LblMemTotal", "LblMemFree", "LblMemUse",  "LblVirtualTotal", "LblVirtualFree",
        "LblVirtualUse", "LblPageTotal", "LblPageFree", "LblPageUse", "LblHDTotal",      "LblHDFree",
        "LblHDUse",     "LblReceiveSpeed", "LblSendSpeed"};
    EXPECT_EQ(x.captions(labels), (Strings{"## %", "#,### MB", "#,### MB", "## %", "#,### MB", "#,### MB", "## %",
                                           "#,### MB", "#,### MB", "## %", "###,### MB", "###,### MB", "## %",
                                           "###,### Kbps", "###,### Kbps"}))
        << "the design captions until the first refresh";
    EXPECT_EQ(x.view["FrmCompact"].background, 0x9CCFCEu);
    x.screen.windowState(true, false);
    x.screen.performanceClicked(true);
    EXPECT_EQ(x.view.lists["CmbCPUList"].items, (Strings{"CPU #1", "CPU #2", "CPU Total"}));
    EXPECT_EQ(x.view.lists["CmbHDList"].items, Strings{"C: ドライブ"});
    const std::string adapter = "Intel(R) PRO/100 VE Network Connection - Packet Scheduler Miniport";
    EXPECT_EQ(x.view.lists["CmbNICList"].items, Strings{adapter});
    EXPECT_EQ(x.view.nicHint, adapter);
    x.screen.tick();
    EXPECT_EQ(x.captions(labels), (Strings{"88 %", "1,024 MB", " MB", "100 %", "2,048 MB", "1,536 MB", "25 %",
                                           "3,072 MB", "1,536 MB", "50 %", "38,147 MB", "23,842 MB", "38 %",
                                           "1,000 Kbbs", "2 Kbbs"}));
    EXPECT_EQ((std::vector{x.view.bars["PrgCPUUse"], x.view.bars["PrgMemUse"], x.view.bars["PrgVirtualUse"],
                           x.view.bars["PrgPageUse"], x.view.bars["PrgHDUse"]}),
              (std::vector{88, 100, 25, 50, 38}));
    x.screen.cpuChosen(2);
    x.screen.adapterChosen(-1);
    EXPECT_EQ(x.view.nicHint, "");
    EXPECT_EQ(x.screen.meters().cpuList().selected, 2);
}

TEST(CompactScreen, AProcessorObjectGoneEmptiesTheCpuListOnceAndTheOtherMetersGoOn) {
    Compact x(scripted("[Tick1]\nIdle=0\nMemoryLoad=1\n[Tick2]\nIdle=5000000\n[Tick3]\nIdle=7500000\n"
                       "[Tick4]\nIdle=-\nMemoryLoad=4\n"));
    x.screen.windowState(true, false);
    x.screen.performanceClicked(true);
    x.screen.tick();
    EXPECT_EQ(x.view.lists["CmbCPUList"].items, Strings{"CPU #1"});
    for (int tick = 0; tick < 4 && x.errors.empty(); ++tick) x.screen.tick();
    x.screen.tick();
    EXPECT_EQ(x.errors, Strings{"Unable to locate the \"Processor\" performance object"});
    EXPECT_TRUE(x.view.lists["CmbCPUList"].items.empty());
    EXPECT_EQ(x.view["LblMemUse"].caption, "4 %");
    EXPECT_TRUE(x.view.timer);
}

}  // namespace
}  // namespace hastelyn::ui::model
