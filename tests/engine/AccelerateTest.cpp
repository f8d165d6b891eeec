#include <gtest/gtest.h>

#include "engine/Accelerate.h"
#include "engine/Passes.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

const char* const kFolder = "C:\\Program Files\\Hastelyn\\";
const std::string kNote =
    "\r\n\r\n※ 自動的に作成された、設定前の復元ポイントを指定することで、\r\n　「保存と復元」から、変更前の状態に戻すことができます。";

std::vector<std::string> restorePoints(EngineFixture& fx) {
    std::vector<platform::FindData> found;
    (void)fx.platform().files.findFiles(std::string(kFolder) + "復元ポイント*.ini", found);  // none: an empty list
    std::vector<std::string> names;
    for (const auto& f : found) names.push_back(f.name);
    return names;
}

void tickSystemOne(EngineFixture& fx) {
    readPass(fx.session());
    fx.session().model.tweakList(0).rows[0].ticked = true;
}

TEST(Accelerate, NoAtTheFirstQuestionChangesNothingAndMakesNoFile) {
    EngineFixture fx(testing::systemOneOffMachine());
    tickSystemOne(fx);
    fx.dialogs().answers = {false};
    const AccelerateOutcome outcome = BtnAccelerateClick(fx.session());
    EXPECT_FALSE(outcome.confirmed);
    EXPECT_TRUE(restorePoints(fx).empty());
    EXPECT_EQ(fx.session().model.state()[0], 0);
    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0].second, "\r\nチェックされた項目を高速化しますか？");
}

TEST(Accelerate, AChangeKeepsTheRestorePointAndSaysSoWithTheNote) {
    EngineFixture fx(testing::systemOneOffMachine("Sound=On\r\n"));
    tickSystemOne(fx);
    bool counted = false;
    const AccelerateOutcome outcome = BtnAccelerateClick(fx.session(), [&] { counted = true; });
    EXPECT_TRUE(outcome.changed);
    EXPECT_TRUE(counted);
    ASSERT_EQ(restorePoints(fx).size(), 1u);
    EXPECT_EQ(outcome.restorePoint, kFolder + restorePoints(fx)[0]);
    EXPECT_TRUE(outcome.restorePoint.ends_with(" (高速化設定前).ini"));
    ASSERT_EQ(fx.dialogs().shown.size(), 2u);
    EXPECT_EQ(fx.dialogs().shown[1].first, DialogKind::Information);
    EXPECT_EQ(fx.dialogs().shown[1].second,
              "チェックされた項目の設定を変更して、パソコンを高速化しました。\r\n一部の項目では、設定を有効にするために、\r\n"
              "Windowsへの再ログオン、または、Windowsの再起動が必要です。" + kNote);
    EXPECT_EQ(fx.clipboard().text(),
              "情報のメッセージ。チェックされた項目の設定を変更して、パソコンを高速化しました。Enterキーを押すと 画面を閉じます。");
}

TEST(Accelerate, NothingChangedDeletesOnlyItsOwnNewFileAndTwoChangesKeepBoth) {
    EngineFixture fx(testing::systemOneOffMachine());
    tickSystemOne(fx);
    BtnAccelerateClick(fx.session());
    ASSERT_EQ(restorePoints(fx).size(), 1u);
    // The same click again, within the same second: its own new file goes, the first stays.
    const AccelerateOutcome again = BtnAccelerateClick(fx.session());
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.restorePoint, "");
    EXPECT_EQ(restorePoints(fx).size(), 1u);
    EXPECT_EQ(fx.dialogs().shown.back().second, "\r\n変更された設定はありません。");
    // Ticking and unticking back is no change either.
    fx.session().model.tweakList(0).rows[0].ticked = false;
    fx.session().model.tweakList(0).rows[0].ticked = true;
    EXPECT_FALSE(BtnAccelerateClick(fx.session()).changed);
    // A second change, likely within the same second as the first: both restore points stay.
    fx.session().model.tweakList(0).rows[0].ticked = false;
    ASSERT_TRUE(BtnAccelerateClick(fx.session()).changed);
    EXPECT_EQ(restorePoints(fx).size(), 2u);
}

TEST(Accelerate, SettingsDecideFileNoteAndQuestions) {
    {
        SCOPED_TRACE("AutoRestore Off: no file and no note");
        EngineFixture fx(testing::systemOneOffMachine("AutoRestore=Off\r\n"));
        tickSystemOne(fx);
        EXPECT_TRUE(BtnAccelerateClick(fx.session()).changed);
        EXPECT_TRUE(restorePoints(fx).empty());
        EXPECT_EQ(fx.dialogs().shown.back().second.find("※"), std::string::npos);
    }
    {
        SCOPED_TRACE("DlgReboot On with DlgInform Off still asks; Yes restarts");
        EngineFixture fx(testing::systemOneOffMachine("DlgReboot=On\r\nDlgInform=Off\r\n"));
        tickSystemOne(fx);
        BtnAccelerateClick(fx.session());
        ASSERT_EQ(fx.dialogs().shown.size(), 2u);
        EXPECT_EQ(fx.dialogs().shown[1].first, DialogKind::Confirmation);
        EXPECT_TRUE(fx.dialogs().shown[1].second.ends_with("\r\n今すぐ、再起動しますか？" + kNote));
        EXPECT_NE(fx.journal().find("ExitWindows\t2"), std::string::npos);
    }
    {
        SCOPED_TRACE("DlgInform Off without DlgReboot: silent");
        EngineFixture fx(testing::systemOneOffMachine("DlgInform=Off\r\n"));
        tickSystemOne(fx);
        EXPECT_TRUE(BtnAccelerateClick(fx.session()).changed);
        EXPECT_EQ(fx.dialogs().shown.size(), 1u);
        EXPECT_EQ(fx.journal().find("ExitWindows"), std::string::npos);
    }
}

TEST(Accelerate, AFailingPassKeepsTheRestorePointAndEndsTheCommand) {
    MiniMachine m = testing::systemOneOffMachine();
    m.restrictedAccount();
    m.hive(platform::RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]"});
    EngineFixture fx(m, kAndRead);
    // Desktop ② (a user value) goes through; Desktop ④ is a machine string: refused.
    fx.session().model.tweakList(1).rows[1].ticked = true;
    fx.session().model.tweakList(1).rows[3].ticked = true;
    bool counted = false;
    EXPECT_THROW(BtnAccelerateClick(fx.session(), [&] { counted = true; }), foundation::CommandError);
    EXPECT_FALSE(counted);
    EXPECT_EQ(restorePoints(fx).size(), 1u);
    EXPECT_EQ(fx.session().model.state()[11], 1);
    EXPECT_EQ(fx.session().model.state()[13], 0);
    EXPECT_EQ(fx.read(platform::RootKey::CurrentUser, "\\Control Panel\\Desktop", "MenuShowDelay", RegType::String), "50");
}

// A refused number is skipped as the registry layer skips it, but the row did not take: it keeps
// its flag, the run is no change and its restore point goes, and the message names the row; where
// the information messages are off, a warning names it alone.
TEST(Accelerate, ARowWhoseWriteIsRefusedIsNamedAndIsNoChange) {
    const std::string failedNote = "次の項目は、Windows が書き込みを拒否したため、変更できませんでした。";
    for (const bool informOff : {false, true}) {
        SCOPED_TRACE(informOff);
        MiniMachine m = testing::systemOneOffMachine(informOff ? "Sound=On\r\nDlgInform=Off\r\n" : "Sound=On\r\n");
        m.restrictedAccount();
        EngineFixture fx(m);
        tickSystemOne(fx);
        const AccelerateOutcome outcome = BtnAccelerateClick(fx.session());
        EXPECT_FALSE(outcome.changed);
        ASSERT_EQ(outcome.failed.size(), 1u);
        EXPECT_EQ(outcome.failed[0].index, 0u);
        EXPECT_TRUE(outcome.failed[0].message.starts_with("レジストリの値 \"DisablePagingExecutive\"")) << outcome.failed[0].message;
        EXPECT_EQ(fx.session().model.state()[0], 0);
        EXPECT_TRUE(restorePoints(fx).empty());
        ASSERT_EQ(fx.dialogs().shown.size(), 2u);
        EXPECT_EQ(fx.dialogs().shown[1].first, informOff ? DialogKind::Warning : DialogKind::Information);
        EXPECT_EQ(fx.dialogs().shown[1].second,
                  (informOff ? "\r\n" : "\r\n変更された設定はありません。\r\n\r\n") + failedNote + "\r\n　システム ①");
        EXPECT_EQ(fx.clipboard().text(),
                  informOff ? "警告のメッセージ。" + failedNote + "システム ①。Enterキーを押すと 画面を閉じます。"
                            : "情報のメッセージ。変更された設定はありません。Enterキーを押すと 画面を閉じます。" + failedNote +
                                  "システム ①。");
    }
}

}  // namespace
}  // namespace hastelyn::engine
