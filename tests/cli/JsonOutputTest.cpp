// --json: one object on stdout for every command, with its name, and the error object.
#include <gtest/gtest.h>

#include "app/cli/JsonWriter.h"
#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using nlohmann::json;

TEST(JsonOutput, EveryCommandPrintsOneObjectNamingIt) {
    const EditionMachine machine("xp");
    const json status = machine.json({"status", "--json"});
    EXPECT_EQ(status.at("command"), "status");
    const json& rows = status.at("rows");
    ASSERT_GT(rows.size(), 50u);
    EXPECT_EQ(rows.at(0), (json{{"row", "System1"}, {"ticked", false}, {"enabled", true}, {"scope", "machine"},
                                {"label", "① Windowsの基本機能をHDより高速なメモリに格納し、パフォーマンスを上げる"}}));
    EXPECT_EQ(rows.at(9).at("row"), "System10");
    EXPECT_EQ(rows.at(9).at("enabled"), false);

    const json info = machine.json({"info", "--json"});
    EXPECT_EQ(info.at("command"), "info");
    EXPECT_EQ(info.at("fields").size(), 10u);
    EXPECT_EQ(info.at("fields").at(0), (json{{"field", "EdtUser"}, {"label", "使用者"}, {"value", "山田 太郎"}}));

    const json backup = machine.json({"backup", "復元ポイント 一.ini", "--json"});
    EXPECT_EQ(backup.at("file"), "C:\\Program Files\\Hastelyn\\復元ポイント 一.ini");

    // An absent value is null; texts that are already so are no change, and nothing is asked.
    const json setInfo = machine.json({"set-info", "--user", "佐藤 花子", "--organization", "NULL", "--yes", "--json"});
    EXPECT_EQ(setInfo.at("result"), "changed");
    const json fields = machine.json({"info", "--json"}).at("fields");
    EXPECT_EQ(fields.at(0).at("value"), "佐藤 花子");
    EXPECT_TRUE(fields.at(1).at("value").is_null());
    const testing::ProgramResult same = machine.run({"set-info", "--user", "佐藤 花子", "--yes-all"});
    EXPECT_EQ(same.out, "unchanged\n");
    EXPECT_EQ(same.err, "");

    const json unchanged = machine.json({"accelerate", "--yes", "--json"});
    EXPECT_EQ(unchanged.at("result"), "unchanged");
    EXPECT_TRUE(unchanged.at("restore_point").is_null());
    EXPECT_TRUE(unchanged.at("rows").empty());

    // An error is the object with the message, which also goes to stderr.
    const testing::ProgramResult missing = machine.run({"verify", "復元ポイント 無い.ini", "--json"});
    EXPECT_EQ(missing.exitCode, 1);
    const std::string message = "ファイル \"C:\\Program Files\\Hastelyn\\復元ポイント 無い.ini\" が見つかりません。";
    EXPECT_EQ(json::parse(missing.out), (json{{"command", "verify"}, {"error", message}}));
    EXPECT_EQ(missing.err, message + "\n");
    const testing::ProgramResult notOne = machine.run({"restore", "C:\\boot.ini", "--yes", "--json"});
    EXPECT_EQ(notOne.exitCode, 1);
    EXPECT_EQ(json::parse(notOne.out).at("error"), "選択されたファイルは、復元ポイントではありません。");
}

// The parse is strict: a control character or a byte that is not UTF-8 left as it is fails it.
// Every control character, 0x00 to 0x1F, is escaped (the short forms where JSON has them); DEL
// and UTF-8 stay as they are.
TEST(JsonOutput, TextsSurviveTheWriterWhateverTheyHold) {
    std::string controls;
    for (char c = 0; c < 0x20; ++c) controls += c;
    const std::string texts[] = {"引用 \"と\" 逆斜線 \\", "制御" + controls + "\x7f", "\x83\x65\x83\x58\x83\x67",
                                 std::string("NUL\0後", 7)};
    EXPECT_EQ(cli::jsonText(texts[1]),
              "\"制御\\u0000\\u0001\\u0002\\u0003\\u0004\\u0005\\u0006\\u0007\\b\\t\\n\\u000b\\f\\r\\u000e\\u000f"
              "\\u0010\\u0011\\u0012\\u0013\\u0014\\u0015\\u0016\\u0017\\u0018\\u0019\\u001a\\u001b\\u001c\\u001d\\u001e"
              "\\u001f\x7f\"");
    for (const std::string& t : texts) {
        const std::string written = cli::Json::object().set("t", t).set("nested", cli::Json::array().push(t)).text();
        const json read = json::parse(written);
        // Shift_JIS bytes come out as the characters of their numbers, valid UTF-8.
        EXPECT_EQ(read.at("t"), t.starts_with("\x83") ? "\u0083e\u0083X\u0083g" : t);
        EXPECT_EQ(read.at("nested").at(0), read.at("t"));
    }
}

}  // namespace
}  // namespace hastelyn
