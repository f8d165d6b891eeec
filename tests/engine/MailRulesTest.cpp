#include <gtest/gtest.h>

#include "engine/MailRules.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

const char* const kIdentity = "{5F2A8C41-9B3E-4D17-A6C2-7E0B1D93F458}";
const std::string kRules = std::string("Identities\\") + kIdentity + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
const char* const kBackup = "C:\\Program Files\\Hastelyn\\OE メールルールのバックアップ.hiv";
const char* const kExported = "C:\\Program Files\\Hastelyn\\OE メールルールのバックアップ.tmp";

// The rules key with everything below it, as regedit text; empty when the key is missing.
std::string rulesText(EngineFixture& fx, const std::string& key = kRules) {
    std::string text;
    if (fx.sandbox().registry().exportKey(RootKey::CurrentUser, key, text) != 0) return {};
    return text;
}

bool backupExists(EngineFixture& fx, const char* file = kBackup) {
    return fx.platform().files.getFileAttributes(file) != platform::fileattr::Invalid;
}

// An ASCII text as the registry editor of NT writes it: UTF-16LE after its mark.
std::string utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii) out += std::string{c, '\0'};
    return out;
}

std::string fileOf(EngineFixture& fx, const char* file = kBackup) {
    std::string content;
    return fx.platform().files.readFile(file, content).ok() ? content : "(none)";
}


TEST(MailRules, KeyIsTheIdentityLastUsedElseTheDefaultElseTheLastInRegistryOrder) {
    EngineFixture xp("xp");
    foundation::RegistryValues& registry = xp.session().registry;
    for (const char* name : {"\\Identities\\{0000}", "\\Identities\\{FFFF}", "\\Identities\\~Old"})
        registry.WriteRegValue(RootKey::CurrentUser, name, "x", "a", foundation::RegType::String);
    const auto identity = [&] { return mailRuleKey(xp.session()).value_or(MailRuleKey{"(none)", "", ""}).identity; };
    EXPECT_EQ(identity(), kIdentity) << "the last used, though {FFFF} sorts last";
    EXPECT_EQ(mailRuleKey(xp.session())->rootName, "HKCU");
    EXPECT_EQ(mailRuleKey(xp.session())->keyPath, "\\" + kRules);
    registry.WriteRegValue(RootKey::CurrentUser, "\\Identities", "Last User ID", "{ffff}", foundation::RegType::String);
    EXPECT_EQ(identity(), "{FFFF}") << "spelled as the key is";
    registry.WriteRegValue(RootKey::CurrentUser, "\\Identities", "Last User ID", "{gone}", foundation::RegType::String);
    registry.WriteRegValue(RootKey::CurrentUser, "\\Identities", "Default User ID", "{0000}", foundation::RegType::String);
    EXPECT_EQ(identity(), "{0000}") << "the default, the last used being gone";
    registry.DeleteRegValue(RootKey::CurrentUser, "\\Identities", "Default User ID");
    EXPECT_EQ(identity(), "{FFFF}") << "the last in registry order; ~Old does not begin with {";

    EngineFixture nineEight("98");
    EXPECT_EQ(mailRuleKey(nineEight.session())->rootName, "HKEY_CURRENT_USER");
}

TEST(MailRules, RoundTripOnXpAndOn98BringsBackTheKeyAsItWas) {
    for (const char* image : {"xp", "98"}) {
        SCOPED_TRACE(image);
        EngineFixture fx(image);
        const std::string before = rulesText(fx);
        ASSERT_NE(before.find("info-ml@example.jp"), std::string::npos);

        ASSERT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Saved);
        EXPECT_TRUE(backupExists(fx));
        EXPECT_FALSE(backupExists(fx, kExported));
        const bool xp = std::string(image) == "xp";
        EXPECT_NE(fx.journal().find(xp ? "CreateProcess\treg save \"HKCU\\" + kRules + "\" \"" + kExported + "\""
                                       : "CreateProcess\tRegedit.exe /E \"" + std::string(kExported) + "\" \"HKEY_CURRENT_USER\\" + kRules + "\""),
                  std::string::npos)
            << fx.journal();
        EXPECT_EQ(fx.dialogs().shown.back(),
                  std::pair(DialogKind::Information,
                            std::string("Outlook Expressのメールルールをバックアップしました。\r\n作成されたバックアップファイルを利用することで、\r\n"
                                        "Outlook Expressのメールルールを、復元することができます。\r\n\r\n"
                                        "作成フォルダ：C:\\Program Files\\Hastelyn\\\r\n作成ファイル：OE メールルールのバックアップ.hiv")));

        // A value changed, then the whole key deleted: both come back.
        fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\" + kRules + "\\000", "Name", "別の名前",
                                            foundation::RegType::String);
        ASSERT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
        EXPECT_EQ(rulesText(fx), before);
        fx.session().registry.DeleteRegKey(RootKey::CurrentUser, "\\" + kRules);
        ASSERT_EQ(rulesText(fx), "");
        ASSERT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
        EXPECT_EQ(rulesText(fx), before);
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Information, std::string("\r\nOutlook Expressのメールルールを復元しました。")));

        // A second backup replaces the first (reg save alone would keep the old file).
        fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\" + kRules, "Order", "001", foundation::RegType::String);
        const std::string changed = rulesText(fx);
        BtnBackupOEClick(fx.session());
        fx.session().registry.DeleteRegKey(RootKey::CurrentUser, "\\" + kRules);
        BtnRecoveryOEClick(fx.session());
        EXPECT_EQ(rulesText(fx), changed);
    }
}

TEST(MailRules, QuestionsAndTheMissingBackupStopBeforeAnyTool) {
    EngineFixture fx("98");
    fx.session().settings.write(foundation::kGeneralSection, "Sound", "On");
    {
        SCOPED_TRACE("no backup: the error, no question");
        EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::NoBackup);
        EXPECT_EQ(fx.dialogs().shown.size(), 1u);
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Error, std::string("\r\n作成されたメールルールのバックアップが、見つかりません。")));
        EXPECT_EQ(fx.clipboard().text(), "エラーのメッセージ。作成されたメールルールのバックアップが、見つかりません。Enterキーを押すと 画面を閉じます。");
    }
    fx.dialogs().answers = {false};
    EXPECT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Declined);
    EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。Outlook Expressのメールルールをバックアップしますか？Yキーを押すと メールルールをバックアップします。Nキーを押すと 画面を閉じます。");
    EXPECT_FALSE(backupExists(fx));

    // Any "OE*.hiv" counts as a backup for the question; the import would use the fixed name,
    // which is not there.
    ASSERT_TRUE(fx.platform().files.createNewFile("C:\\Program Files\\Hastelyn\\OE古い.hiv").ok());
    fx.dialogs().answers = {false};
    EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Declined);
    EXPECT_EQ(fx.dialogs().shown.back().second, "\r\nOutlook Expressのメールルールを復元しますか？");
    EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。Outlook Expressのメールルールを復元しますか？Yキーを押すと メールルールを復元します。Nキーを押すと 画面を閉じます。");
    EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::NoBackup);
    EXPECT_EQ(fx.journal().find("Regedit.exe"), std::string::npos);
    ASSERT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Saved);
    EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
    EXPECT_NE(fx.journal().find("ShellExecute\tOpen\tRegedit.exe\t/s \"" + std::string(kBackup) + "\""), std::string::npos);
    EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。Outlook Expressのメールルールを復元しました。Enterキーを押すと 画面を閉じます。");
}

TEST(MailRules, WithoutAnIdentityNothingIsExportedOrImported) {
    for (const char* image : {"xp", "98"}) {
        SCOPED_TRACE(image);
        EngineFixture fx(image);
        ASSERT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Saved);
        fx.session().registry.DeleteRegKey(RootKey::CurrentUser, std::string("\\Identities\\") + kIdentity);
        const std::string journal = fx.journal();

        EXPECT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::NoIdentity);
        EXPECT_EQ(fx.dialogs().shown.back(),
                  std::pair(DialogKind::Error, std::string("\r\nOutlook Expressのユーザー（ID）が、見つからないため、\r\nメールルールをバックアップできません。")));
        EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::NoIdentity);
        EXPECT_EQ(fx.dialogs().shown.back(),
                  std::pair(DialogKind::Error, std::string("\r\nOutlook Expressのユーザー（ID）が、見つからないため、\r\nメールルールを復元できません。")));
        EXPECT_EQ(fx.journal(), journal) << "no tool started";
        EXPECT_TRUE(backupExists(fx)) << "the earlier backup stays";
    }
}

// On XP the saved rules go to the current identity's key, made when missing.
TEST(MailRules, BackupOfAnotherIdentityOnXpGoesToTheCurrentOne) {
    const std::string other = "{9B7D3E21-0C4F-4A88-B1E6-2D5F7A9C0E13}";
    EngineFixture fx("xp");
    const std::string before = rulesText(fx);
    BtnBackupOEClick(fx.session());
    // A new identity, the one the mail client was last used as.
    fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities\\" + other, "Username", "新しい ID",
                                        foundation::RegType::String);
    fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities", "Last User ID", other, foundation::RegType::String);
    const std::string otherRules = "Identities\\" + other + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
    ASSERT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
    std::string expected = before;
    for (std::size_t at; (at = expected.find(kIdentity)) != std::string::npos;) expected.replace(at, other.size(), other);
    EXPECT_EQ(rulesText(fx, otherRules), expected);
    EXPECT_EQ(rulesText(fx), before) << "the old identity keeps its rules";
}

// A text backup brought from an old PC names that PC's identity: its rules go under the identity
// the mail client opens here ("Last User ID"), also when a key of the old identity is left over
// and sorts last, and nothing is written under any other identity.
TEST(MailRules, TextBackupFromAnOldPcGoesToTheIdentityTheMailClientOpens) {
    const std::string old = "{9B7D3E21-0C4F-4A88-B1E6-2D5F7A9C0E13}";
    const std::string oldRules = "Identities\\" + old + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
    const std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + oldRules + "]\r\n\"Order\"=\"000\"\r\n\r\n"
                             "  [hkey_current_user\\identities\\" + old + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail\\000]\r\n"
                             "\"Name\"=\"old PC [HKEY_CURRENT_USER\\\\Identities\\\\" + old + "]\"\r\n\r\n";
    for (const bool leftOver : {false, true})
        for (const char* image : {"98", "2000"}) {
            SCOPED_TRACE(std::string(image) + (leftOver ? ", the old identity's key left over" : ""));
            EngineFixture fx(image);
            if (leftOver)
                fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities\\" + old, "Username", "旧 ID",
                                                    foundation::RegType::String);
            const bool wide = std::string(image) == "2000";
            ASSERT_TRUE(fx.platform().files.replaceFile(kBackup, wide ? utf16(text) : text).ok());
            ASSERT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
            EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Information, std::string("\r\nOutlook Expressのメールルールを復元しました。")));
            const std::string rules = rulesText(fx);
            EXPECT_NE(rules.find("\"Name\"=\"old PC [HKEY_CURRENT_USER\\\\Identities\\\\" + old + "]\""), std::string::npos)
                << "the values stay as saved\n" << rules;
            EXPECT_EQ(rulesText(fx, oldRules), "") << "nothing under the old identity";
            EXPECT_NE(fx.journal().find("Regedit.exe\t/s \"" + std::string(kExported) + "\""), std::string::npos);
        }
}

TEST(MailRules, AnOldBackupIsReplacedOnlyByANewFileOfTheRules) {
    EngineFixture fx("xp");
    ASSERT_TRUE(fx.platform().files.replaceFile(kBackup, "old backup").ok());
    {
        SCOPED_TRACE("read-only: refused before anything is exported");
        ASSERT_TRUE(fx.platform().files.setFileAttributes(kBackup, platform::fileattr::ReadOnly).ok());
        EXPECT_THROW(BtnBackupOEClick(fx.session()), foundation::CommandError);
        EXPECT_EQ(fx.journal().find("CreateProcess"), std::string::npos);
        ASSERT_TRUE(fx.platform().files.setFileAttributes(kBackup, platform::fileattr::Normal).ok());
    }
    {
        SCOPED_TRACE("no rules key: said, nothing exported, the old backup kept");
        const std::string rules = rulesText(fx);
        fx.session().registry.DeleteRegKey(RootKey::CurrentUser, "\\" + kRules);
        EXPECT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::NoRules);
        EXPECT_EQ(fx.dialogs().shown.back(), std::pair(DialogKind::Error, std::string("\r\nOutlook Expressのメールルールが、見つからないため、\r\nバックアップできません。")));
        EXPECT_EQ(fx.journal().find("CreateProcess"), std::string::npos);
        EXPECT_EQ(fileOf(fx), "old backup");
        fx.sandbox().registry().importFile(rules);
    }
    {
        SCOPED_TRACE("a file left by a backup ended half-way does not stop the next");
        ASSERT_TRUE(fx.platform().files.replaceFile(kExported, "torn").ok());
        EXPECT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Saved);
        EXPECT_NE(fileOf(fx).find(kIdentity), std::string::npos);
        EXPECT_FALSE(backupExists(fx, kExported));
    }
}

TEST(MailRules, AFileThatIsNotTheRulesOfThisIdentityIsRefusedBeforeAnyChange) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string rules = "[HKEY_CURRENT_USER\\" + kRules + "]\r\n\"Order\"=\"000\"\r\n\r\n";
    const std::string other = "[HKEY_CURRENT_USER\\Identities\\{0BAD0000-0000-0000-0000-000000000000}\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail]\r\n\r\n";
    const std::string run = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"evil\"=\"C:\\\\evil.exe\"\r\n\r\n";
    // A hive file as reg save writes it: base block with checksum, one bin, the root key node.
    const auto hive = [](std::string_view rootName) {
        std::string file(0x2000, '\0');
        const auto put = [&file](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(v >> (8 * i)); };
        file.replace(0, 4, "regf");
        put(0x14, 1), put(0x18, 3), put(0x20, 1), put(0x24, 0x20), put(0x28, 0x1000);
        put(0x1FC, 0x66676572u ^ 1 ^ 3 ^ 1 ^ 0x20 ^ 0x1000);  // the XOR of the words before it
        file.replace(0x1000, 4, "hbin");
        put(0x1020, static_cast<std::uint32_t>(-0x60));
        file.replace(0x1024, 2, "nk");
        file[0x1026] = 0x24;  // hive entry, compressed name
        file[0x1024 + 0x48] = static_cast<char>(rootName.size());
        file.replace(0x1024 + 0x4C, rootName.size(), rootName);
        return file;
    };
    struct Case {
        const char* image;
        const char* what;
        std::string file;
        MailRuleOutcome outcome;
        const char* shown;  // in the error message
    };
    const std::vector<Case> cases = {
        {"98", "a key outside", header + rules + run, MailRuleOutcome::Refused, "キー：HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"98", "a deletion", header + rules + "[-HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wscsvc]\r\n\r\n", MailRuleOutcome::Refused, "キー：-HKEY_LOCAL_MACHINE"},
        {"98", "a deletion inside", header + "[-HKEY_CURRENT_USER\\" + kRules + "]\r\n\r\n", MailRuleOutcome::Refused, "キー：-HKEY_CURRENT_USER"},
        {"98", "another identity beside", header + rules + other, MailRuleOutcome::Refused, "キー：HKEY_CURRENT_USER\\Identities\\{0BAD"},
        {"98", "a key behind a lone CR", header + rules.substr(0, rules.size() - 4) + "\r" + run, MailRuleOutcome::Refused, "キー：HKEY_LOCAL_MACHINE"},
        {"98", "UTF-16 with a key outside", utf16(header + rules + run), MailRuleOutcome::Refused, "キー：HKEY_LOCAL_MACHINE"},
        {"98", "a saved key of another kind", header + run, MailRuleOutcome::Refused, "ファイル："},
        {"98", "cut short", (header + rules).substr(0, header.size() + 40), MailRuleOutcome::Refused, "ファイル："},
        {"98", "empty", "", MailRuleOutcome::Refused, "ファイル："},
        {"me", "random bytes", std::string("\x8F\x00[x]\n\xFF\xFE\x01", 9), MailRuleOutcome::Refused, "ファイル："},
        {"xp", "random bytes", std::string("\x8F\x00[x]\n\xFF\xFE\x01", 9), MailRuleOutcome::Refused, "ファイル："},
        {"xp", "a saved HKLM key, as the sandbox saves it", header + run, MailRuleOutcome::Refused, "ファイル："},
        {"xp", "a saved HKLM key, as Windows saves it", hive("SOFTWARE"), MailRuleOutcome::Refused, "ファイル："},
        {"xp", "a hive cut short", hive("Mail").substr(0, 0x1800), MailRuleOutcome::Refused, "ファイル："},
        {"xp", "a key outside", header + rules + run, MailRuleOutcome::Refused, "キー：HKEY_LOCAL_MACHINE"},
        // Let through: what the sandbox's reg restore cannot read fails there and changes nothing.
        {"xp", "a saved rules key, as Windows saves it", hive("Mail"), MailRuleOutcome::Started, nullptr},
        {"98", "UTF-16 rules of this identity", utf16(header + rules), MailRuleOutcome::Started, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.image) + ": " + c.what);
        EngineFixture fx(c.image);
        ASSERT_TRUE(fx.platform().files.replaceFile(kBackup, c.file).ok());
        const auto before = fx.machineFiles();
        const std::string journal = fx.journal();
        EXPECT_EQ(BtnRecoveryOEClick(fx.session()), c.outcome);
        if (c.outcome == MailRuleOutcome::Started) {
            EXPECT_NE(rulesText(fx).find("[HKEY_CURRENT_USER\\" + kRules + "]"), std::string::npos);
            continue;
        }
        EXPECT_EQ(fx.machineFiles(), before);
        EXPECT_EQ(fx.journal(), journal) << "no tool started";
        EXPECT_EQ(fx.dialogs().shown.back().first, DialogKind::Error);
        EXPECT_NE(fx.dialogs().shown.back().second.find(c.shown), std::string::npos) << fx.dialogs().shown.back().second;
    }
}

}  // namespace
}  // namespace hastelyn::engine
