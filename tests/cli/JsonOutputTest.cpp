// --json: one object on stdout for every command, with its name, and the error object.
#include <gtest/gtest.h>

#include "app/cli/JsonWriter.h"
#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using testing::JsonValue;

TEST(JsonOutput, EveryCommandPrintsOneObjectNamingIt) {
    const EditionMachine machine("xp");
    const JsonValue status = machine.json({"status", "--json"});
    EXPECT_EQ(status["command"].text(), "status");
    const JsonValue& first = status["rows"].array().at(0);
    EXPECT_EQ(first["row"].text(), "System1");
    EXPECT_FALSE(first["ticked"].boolean());
    EXPECT_TRUE(first["enabled"].boolean());
    EXPECT_TRUE(first["label"].text().starts_with("① "));
    EXPECT_GT(status["rows"].array().size(), 50u);

    const JsonValue info = machine.json({"info", "--json"});
    EXPECT_EQ(info["command"].text(), "info");
    EXPECT_EQ(info["fields"].array().size(), 10u);
    EXPECT_EQ(info["fields"].array()[0]["field"].text(), "EdtUser");

    const JsonValue backup = machine.json({"backup", "復元ポイント 一.ini", "--json"});
    EXPECT_EQ(backup["file"].text(), "C:\\Program Files\\Hastelyn\\復元ポイント 一.ini");

    const JsonValue setInfo = machine.json({"set-info", "--user", "佐藤 花子", "--yes", "--json"});
    EXPECT_EQ(setInfo["result"].text(), "changed");
    EXPECT_EQ(machine.json({"info", "--json"})["fields"].array()[0]["value"].text(), "佐藤 花子");

    const JsonValue unchanged = machine.json({"accelerate", "--yes", "--json"});
    EXPECT_EQ(unchanged["result"].text(), "unchanged");
    EXPECT_TRUE(unchanged["restore_point"].isNull());
    EXPECT_TRUE(unchanged["rows"].array().empty());

    // An error is the object with the message, which also goes to stderr.
    const testing::ProgramResult missing = machine.run({"verify", "復元ポイント 無い.ini", "--json"});
    EXPECT_EQ(missing.exitCode, 1);
    const JsonValue error = testing::parseJson(missing.out);
    EXPECT_EQ(error["command"].text(), "verify");
    EXPECT_EQ(error["error"].text(), "ファイル \"C:\\Program Files\\Hastelyn\\復元ポイント 無い.ini\" が見つかりません。");
    EXPECT_EQ(missing.err, error["error"].text() + "\n");
    const testing::ProgramResult notOne = machine.run({"restore", "C:\\boot.ini", "--yes", "--json"});
    EXPECT_EQ(notOne.exitCode, 1);
    EXPECT_EQ(testing::parseJson(notOne.out)["error"].text(), "選択されたファイルは、復元ポイントではありません。");
}

TEST(JsonOutput, TextsSurviveTheWriterWhateverTheyHold) {
    const std::string texts[] = {"引用 \"と\" 逆斜線 \\", std::string("制御\x01\t\r\n\x1f", 8), "\x83\x65\x83\x58\x83\x67",
                                 std::string("NUL\0後", 7)};
    for (const std::string& t : texts) {
        const std::string written = cli::Json::object().set("t", t).set("nested", cli::Json::array().push(t)).text();
        const JsonValue read = testing::parseJson(written);
        if (t.starts_with("\x83")) {
            // Shift_JIS bytes come out as the characters of their numbers, valid UTF-8.
            EXPECT_EQ(read["t"].text(), "\u0083e\u0083X\u0083g");
        } else {
            EXPECT_EQ(read["t"].text(), t);
        }
        EXPECT_EQ(read["nested"].array()[0].text(), read["t"].text());
    }
}

}  // namespace
}  // namespace hastelyn
