#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/SaveAndRestore.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

const char* const kFolder = "C:\\Program Files\\Hastelyn\\";
const char* const kMemoryKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const std::string kRestored =
    "お使いのパソコンを、復元ポイント作成時の状態に戻しました。\r\n一部の項目では、設定を有効にするために、\r\n"
    "Windowsへの再ログオン、または、Windowsの再起動が必要です。\r\n";

// Answers the file dialog with a path (or cancels) and remembers how it was asked.
struct ScriptedFileDialog : FileOpenDialog {
    std::optional<std::string> answer;
    std::vector<std::string> asked;  // title, filter, folder of each opening
    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override {
        asked = {std::string(title), std::string(filter), std::string(folder)};
        return answer;
    }
};

std::vector<std::string> restorePointsInFolder(EngineFixture& fx) {
    std::vector<platform::FindData> found;
    EXPECT_TRUE(fx.platform().files.findFiles(std::string(kFolder) + "*.ini", found).ok());
    std::vector<std::string> names;
    for (const auto& f : found)
        if (f.name != "Hastelyn.ini") names.push_back(f.name);
    return names;
}

std::string pagingExecutive(EngineFixture& fx) {
    return fx.read(platform::RootKey::LocalMachine, kMemoryKey, "DisablePagingExecutive", foundation::RegType::DWORD);
}

// Ticks System ① and applies it: the machine now differs from any restore point made before.
void changeSystemOne(EngineFixture& fx) {
    fx.apply(0, {1});
    ASSERT_EQ(pagingExecutive(fx), "1");
}

TEST(SaveAndRestore, BackupAsksThenWritesUnderFreeNamesAndSaysWhereAndWhat) {
    EngineFixture fx(testing::systemOneOffMachine("Sound=On\r\n"));
    fx.dialogs().answers = {false};
    EXPECT_EQ(BtnBackupClick(fx.session()), "");
    EXPECT_TRUE(restorePointsInFolder(fx).empty());
    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0], std::pair(DialogKind::Confirmation, std::string("\r\n復元ポイントを作成して、パソコンの状態を保存しますか？")));
    EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。復元ポイントを作成して、パソコンの状態を保存しますか？Yキーを押すと 復元ポイントを作成します。Nキーを押すと 画面を閉じます。");

    const std::string point = BtnBackupClick(fx.session());
    EXPECT_EQ(restorePointsInFolder(fx), std::vector<std::string>{point.substr(std::string(kFolder).size())});
    EXPECT_EQ(fx.restorePoint(point).get("システム", "1"), "0") << "the restore point records System ①";
    const std::string name = point.substr(std::string(kFolder).size());
    EXPECT_EQ(fx.dialogs().shown.back(),
              std::pair(DialogKind::Information,
                        "復元ポイントを作成して、パソコンの状態を保存しました。\r\nパソコンの調子がおかしくなった場合、"
                        "復元ポイントを指定することで、\r\nお使いのパソコンを、復元ポイント作成時の状態に戻すことができます。\r\n\r\n"
                        "作成フォルダ：C:\\Program Files\\Hastelyn\\\r\n作成ファイル：" + name));
    EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。復元ポイントを作成して、パソコンの状態を保存しました。Enterキーを押すと 画面を閉じます。");

    // "DlgInform" "Off": spoken, no dialog.
    fx.session().settings.write(foundation::kGeneralSection, "DlgInform", "Off");
    const std::size_t shown = fx.dialogs().shown.size();
    BtnBackupClick(fx.session());
    EXPECT_EQ(fx.dialogs().shown.size(), shown + 1) << "only the question";
    EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。復元ポイントを作成して、パソコンの状態を保存しました。Enterキーを押すと 画面を閉じます。");
}

TEST(SaveAndRestore, RecoveryStopsBeforeAnythingIsPutBack) {
    EngineFixture fx(testing::systemOneOffMachine("Sound=On\r\n"));
    ScriptedFileDialog dialog;
    dialog.answer = std::string(kFolder) + "復元ポイント x.ini";
    {
        SCOPED_TRACE("no restore point in the program folder, even with one elsewhere: no dialog");
        fx.backupCategory(0, "C:\\復元ポイント 2006-05-14 9：03：27.ini");
        EXPECT_EQ(BtnRecoveryClick(fx.session(), dialog, {}), RecoveryOutcome::NoRestorePoint);
        EXPECT_TRUE(dialog.asked.empty());
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Error, std::string("\r\n作成された復元ポイントが、見つかりません。")));
        EXPECT_EQ(fx.clipboard().text(), "エラーのメッセージ。作成された復元ポイントが、見つかりません。Enterキーを押すと 画面を閉じます。");
    }
    const std::string point = BtnBackupClick(fx.session());
    changeSystemOne(fx);
    fx.dialogs().shown.clear();
    {
        SCOPED_TRACE("No at the question: no dialog");
        fx.dialogs().answers = {false};
        EXPECT_EQ(BtnRecoveryClick(fx.session(), dialog, {}), RecoveryOutcome::Declined);
        EXPECT_TRUE(dialog.asked.empty());
        EXPECT_EQ(fx.dialogs().shown.back().second, "\r\nお使いのパソコンを、以前の状態に戻しますか？");
        EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。お使いのパソコンを、以前の状態に戻しますか？Yキーを押すと 復元ポイントを選択します。Nキーを押すと 画面を閉じます。");
    }
    {
        SCOPED_TRACE("Cancel in the dialog");
        dialog.answer.reset();
        EXPECT_EQ(BtnRecoveryClick(fx.session(), dialog, {}), RecoveryOutcome::Cancelled);
        EXPECT_EQ(dialog.asked, (std::vector<std::string>{"復元ポイントを指定してください。",
                                                          "復元ポイント|復元ポイント*|Iniファイル|*.ini", kFolder}));
    }
    {
        SCOPED_TRACE("a file without the mark, though a restore point inside");
        const std::string copy = std::string(kFolder) + "copy.ini";
        ASSERT_TRUE(fx.platform().files.copyFile(point, copy, true).ok());
        dialog.answer = copy;
        EXPECT_EQ(BtnRecoveryClick(fx.session(), dialog, {}), RecoveryOutcome::NotARestorePoint);
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Error, std::string("\r\n選択されたファイルは、復元ポイントではありません。")));
        EXPECT_EQ(fx.clipboard().text(), "エラーのメッセージ。選択されたファイルは、復元ポイントではありません。Enterキーを押すと 画面を閉じます。");
    }
    EXPECT_EQ(pagingExecutive(fx), "1") << "nothing was put back";
}

struct Step {
    std::string name;
    bool systemOneTicked;
};

TEST(SaveAndRestore, RecoveryPutsBackRefreshesInOrderAndEndsAsTheSettingsSay) {
    struct Case {
        const char* settings;
        bool outsideFolder;
        std::optional<DialogKind> final;  // the last dialog, if any
    };
    const Case cases[] = {
        {"Sound=On\r\n", false, DialogKind::Information},
        {"Sound=On\r\nDlgReboot=On\r\nDlgInform=Off\r\n", true, DialogKind::Confirmation},
        {"Sound=On\r\nDlgInform=Off\r\n", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        EngineFixture fx(testing::systemOneOffMachine(c.settings));
        readPass(fx.session());
        std::string point = BtnBackupClick(fx.session());
        if (c.outsideFolder) {
            const std::string moved = "C:\\古い復元ポイント.ini";
            ASSERT_TRUE(fx.platform().files.copyFile(point, moved, true).ok());
            point = moved;
        }
        changeSystemOne(fx);
        ASSERT_TRUE(fx.row(0, 1).ticked);

        ScriptedFileDialog dialog;
        dialog.answer = point;
        std::vector<Step> steps;
        std::size_t shownAtCounts = 0, spokenAtCounts = 0;
        const auto step = [&](const char* name) {
            return [&, name] {
                steps.push_back({name, fx.row(0, 1).ticked || fx.session().model.state()[0] != 0});
                shownAtCounts = fx.dialogs().shown.size();
                spokenAtCounts = fx.clipboard().history.size();
            };
        };
        fx.clipboard().history.clear();
        fx.dialogs().shown.clear();
        // Yes to the question; No to the restore's own questions (this small machine lacks
        // the system files some rows edit) and to the restart.
        fx.dialogs().answers = {true};
        fx.dialogs().answers.resize(30, false);
        ASSERT_EQ(BtnRecoveryClick(fx.session(), dialog, {step("pc"), step("counts")}), RecoveryOutcome::Restored);

        EXPECT_EQ(pagingExecutive(fx), "0");
        ASSERT_EQ(steps.size(), 2u);
        EXPECT_EQ(steps[0].name, "pc");
        EXPECT_FALSE(steps[0].systemOneTicked) << "ticks and flags cleared before PC information";
        EXPECT_EQ(steps[1].name, "counts");
        EXPECT_FALSE(steps[1].systemOneTicked) << "the read pass saw System ① off";
        EXPECT_EQ(fx.journal().find("ExitWindows"), std::string::npos);

        const std::string shown = c.outsideFolder ? point : point.substr(std::string(kFolder).size());
        if (!c.final) {
            EXPECT_EQ(fx.dialogs().shown.size(), shownAtCounts) << "nothing after the refresh";
            EXPECT_EQ(fx.clipboard().history.size(), spokenAtCounts) << "nothing spoken after the refresh";
        } else if (*c.final == DialogKind::Confirmation) {
            EXPECT_EQ(fx.dialogs().shown.back(),
                      std::pair(DialogKind::Confirmation, kRestored + "再起動しますか？\r\n\r\n指定ファイル：" + shown));
            EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。お使いのパソコンを、復元ポイント作成時の状態に戻しました。Yキーを押すと パソコンを再起動します。Nキーを押すと 画面を閉じます。");
        } else {
            EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Information, kRestored + "\r\n指定ファイル：" + shown));
            EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。お使いのパソコンを、復元ポイント作成時の状態に戻しました。Enterキーを押すと 画面を閉じます。");
        }
    }
}

TEST(SaveAndRestore, YesToTheRestartQuestionRestartsWindows) {
    EngineFixture fx(testing::systemOneOffMachine("DlgReboot=On\r\n"));
    ScriptedFileDialog dialog;
    dialog.answer = BtnBackupClick(fx.session());
    fx.dialogs().answers = {true, true};
    ASSERT_EQ(BtnRecoveryClick(fx.session(), dialog, {}), RecoveryOutcome::Restored);
    EXPECT_NE(fx.journal().find("ExitWindows\t2"), std::string::npos);
}

TEST(SaveAndRestore, ARefusedRestoreEndsTheClickWithoutRefreshOrMessage) {
    EngineFixture fx(testing::systemOneOffMachine(""));
    ScriptedFileDialog dialog;
    BtnBackupClick(fx.session());
    // A restore point by its name that records nothing.
    dialog.answer = std::string(kFolder) + "復元ポイント 空.ini";
    ASSERT_TRUE(fx.platform().profiles.writeString(*dialog.answer, "無関係", "a", "b").ok());
    bool refreshed = false;
    fx.dialogs().shown.clear();
    EXPECT_THROW(BtnRecoveryClick(fx.session(), dialog, {[&] { refreshed = true; }, [&] { refreshed = true; }}),
                 foundation::CommandError);
    EXPECT_FALSE(refreshed);
    EXPECT_EQ(fx.dialogs().shown.size(), 1u) << "only the question";
}

TEST(SaveAndRestore, ShownNameTakesOutTheFirstProgramFolderOnly) {
    EXPECT_EQ(shownRestorePointName("C:\\P\\復元ポイント a.ini", "C:\\P\\"), "復元ポイント a.ini");
    EXPECT_EQ(shownRestorePointName("D:\\C:\\P\\x\\C:\\P\\復元ポイント.ini", "C:\\P\\"), "D:\\x\\C:\\P\\復元ポイント.ini");
    EXPECT_EQ(shownRestorePointName("D:\\復元ポイント.ini", ""), "D:\\復元ポイント.ini");
}

}  // namespace
}  // namespace hastelyn::engine
