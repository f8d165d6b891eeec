// PC information: the ten fields per family, the change command's validation, question, write
// and messages, and a write the registry refuses.
#include <gtest/gtest.h>

#include "engine/PcInformation.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kNtKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kNameKey = "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

std::array<std::string, 3> editable(EngineFixture& fx) {
    return {fx.read(RootKey::LocalMachine, kNtKey, "RegisteredOwner", RegType::String),
            fx.read(RootKey::LocalMachine, kNtKey, "RegisteredOrganization", RegType::String),
            fx.read(RootKey::LocalMachine, kNameKey, "ComputerName", RegType::String)};
}

void setting(EngineFixture& fx, std::string_view key, std::string_view value) {
    fx.session().settings.write("環境設定", key, value);
}

TEST(PcInformation, TheTenFieldsOfEachFamilyWithNullForWhatIsMissing) {
    const struct {
        const char* image;
        PcInformation fields;
    } cases[] = {
        {"98",
         {"田中 美穂", "NULL", "MIHO", "Microsoft Windows 98", "Windows 98 4.10.2222", "55274-OEM-0014203-72381",
          "K663C-33TCK-C2GPV-G2F3P-27HF3", "C:\\WINDOWS", "", "x86 Family 6 Model 5 Stepping 1 GenuineIntel"}},
        {"2000",
         {"渡辺 由美", "渡辺会計事務所", "WATANABE-2K", "Microsoft Windows 2000", "5.0.2195 Service Pack 4 ビルド 2195",
          "51873-OEM-0003972-34120", "QQ8R4-X3WDD-MX87D-C98P6-37WP8", "C:\\WINNT", "Intel(R) Pentium(R) III processor",
          "x86 Family 6 Model 8 Stepping 10 GenuineIntel 866MHz"}},
        {"xp",
         {"山田 太郎", "山田商事株式会社", "YAMADA-XP", "Microsoft Windows XP", "5.1.2600 Service Pack 2 ビルド 2600",
          "55274-640-2673064-23950", "T7RBW-RH4FX-CJPG9-KTTXD-HWT2M", "C:\\WINDOWS",
          "Intel(R) Pentium(R) 4 CPU 2.80GHz", "x86 Family 15 Model 2 Stepping 9 GenuineIntel 2793MHz"}},
        // No processor name, no answer file, no product name.
        {"nt4",
         {"伊藤 誠", "伊藤精機株式会社", "ITO-NT4", "NULL", "4.0.1381 Service Pack 6 ビルド 1381",
          "10496-OEM-0026734-56082", "NULL", "C:\\WINNT", "NULL",
          "x86 Family 6 Model 5 Stepping 2 GenuineIntel 400MHz"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        EngineFixture fx(c.image);
        EXPECT_EQ(ReadPcInformation(fx.session()), c.fields);
    }
}

TEST(PcInformation, ValidationStopsAtTheFirstBadFieldAndWorksOnWholeCharacters) {
    EngineFixture fx("xp");
    setting(fx, "Sound", "On");
    const auto before = editable(fx);
    const std::string kNames = "/\\[]\":;|<>+=,?*";

    // A slash in the user name: its message; the organisation, bad as well, is not examined.
    EXPECT_EQ(BtnChangeClick(fx.session(), {"a/b", "c:d", "e f"}), PcInfoChange::Invalid);
    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0], std::pair(DialogKind::Error,
                                               "指定した使用者名は有効ではありません。\r\n使用者名に次の文字は使えません：" + kNames));
    EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。指定した使用者名は有効ではありません。Enterキーを押すと 画面を閉じます。");

    EXPECT_EQ(BtnChangeClick(fx.session(), {"a b", "c*d", "e"}), PcInfoChange::Invalid);
    EXPECT_EQ(fx.dialogs().shown.back().second,
              "指定した会社名は有効ではありません。\r\n会社名に次の文字は使えません：" + kNames);
    // A space is no name's fault but a computer name's.
    EXPECT_EQ(BtnChangeClick(fx.session(), {"a b", "c d", "e f"}), PcInfoChange::Invalid);
    EXPECT_EQ(fx.dialogs().shown.back().second,
              "指定したコンピュータ名は有効ではありません。\r\nコンピュータ名に次の文字は使えません：`~!@#$ ^&*()=+[]{}\\|;:'\",<>/?");
    // A line break, a tab, DEL or a C1 control would split or spoil the restore point's line.
    const std::pair<PcInfoEdit, std::string> controls[] = {
        {{"a\r\nb", "c", "e"}, "使用者名"}, {{"a", "c\td", "e"}, "会社名"}, {{"a", "c\xC2\x85", "e"}, "会社名"},
        {{"a", "c", "e\x7f"}, "コンピュータ名"}};
    for (const auto& [edit, field] : controls) {
        EXPECT_EQ(BtnChangeClick(fx.session(), edit), PcInfoChange::Invalid);
        EXPECT_EQ(fx.dialogs().shown.back().second,
                  "指定した" + field + "は有効ではありません。\r\n" + field + "に改行などの制御文字は使えません。");
    }
    EXPECT_EQ(editable(fx), before);

    // ソ (whose second Shift_JIS byte has the backslash's code) passes everywhere.
    fx.dialogs().shown.clear();
    fx.dialogs().answers = {false};
    EXPECT_EQ(BtnChangeClick(fx.session(), {"ソニー 太郎", "ソフト開発", "SOFT-ソ"}), PcInfoChange::Cancelled);
    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0],
              std::pair(DialogKind::Confirmation, std::string("\r\n表示されている使用者/会社名/コンピュータ名を設定しますか？")));
    EXPECT_EQ(editable(fx), before);
}

TEST(PcInformation, AnEmptyFieldEndsSilentlyAfterTheSpokenQuestion) {
    EngineFixture fx("xp");
    setting(fx, "Sound", "On");
    EXPECT_EQ(BtnChangeClick(fx.session(), {"a", "", "c"}), PcInfoChange::Empty);
    EXPECT_TRUE(fx.dialogs().shown.empty());
    EXPECT_EQ(fx.clipboard().text(),
              "確認のメッセージ。入力した使用者 会社名 コンピュータ名を設定しますか？Yキーを押すと 入力した文字列を設定します。Nキーを押すと 画面を閉じます。");
    EXPECT_EQ(editable(fx)[0], "山田 太郎");
}

TEST(PcInformation, TheWriteThenTheRestartQuestionOrTheInformation) {
    const std::string done =
        "使用者/会社名/コンピュータ名に、表示されている文字列を設定しました。\r\n一部の項目では、設定を有効にするために、\r\n"
        "Windowsへの再ログオン、または、Windowsの再起動が必要です。";
    {
        SCOPED_TRACE("restart asked and answered Yes");
        EngineFixture fx("xp");
        setting(fx, "DlgReboot", "On");
        // "NULL" writes an empty value.
        EXPECT_EQ(BtnChangeClick(fx.session(), {"新しい 使用者", "NULL", "NEW-PC"}), PcInfoChange::Written);
        EXPECT_EQ(editable(fx), (std::array<std::string, 3>{"新しい 使用者", "NULL", "NEW-PC"}));
        EXPECT_EQ(fx.session().registry.GetRegValueType(RootKey::LocalMachine, kNtKey, "RegisteredOrganization"),
                  RegType::String);
        ASSERT_EQ(fx.dialogs().shown.size(), 2u);
        EXPECT_EQ(fx.dialogs().shown[1], std::pair(DialogKind::Confirmation, done + "\r\n再起動しますか？"));
        EXPECT_NE(fx.journal().find("ExitWindows\t2"), std::string::npos);
    }
    {
        SCOPED_TRACE("information");
        EngineFixture fx("xp");
        EXPECT_EQ(BtnChangeClick(fx.session(), {"a", "b", "c"}), PcInfoChange::Written);
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Information, done));
        EXPECT_EQ(fx.journal().find("ExitWindows"), std::string::npos);
    }
    {
        SCOPED_TRACE("information switched off");
        EngineFixture fx("xp");
        setting(fx, "DlgInform", "Off");
        EXPECT_EQ(BtnChangeClick(fx.session(), {"a", "b", "c"}), PcInfoChange::Written);
        EXPECT_EQ(fx.dialogs().shown.size(), 1u);
    }
}

TEST(PcInformation, ARefusedWriteEndsTheCommandWithTheSystemsTextAndWritesNothingMore) {
    EngineFixture fx("xp");
    fx.restrictAccount();
    const auto before = fx.machineFiles();
    const std::string text = testing::commandErrorOf([&] { BtnChangeClick(fx.session(), {"a", "b", "c"}); });
    EXPECT_TRUE(text.starts_with("レジストリの値 \"RegisteredOwner\"")) << text;
    EXPECT_TRUE(text.ends_with("アクセスが拒否されました。")) << text;
    // No success message followed the question, and nothing was written.
    EXPECT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.machineFiles(), before);
}

}  // namespace
}  // namespace hastelyn::engine
