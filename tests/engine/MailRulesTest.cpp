#include <gtest/gtest.h>

#include "engine/MailRules.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

const char* const kIdentity = "{5F2A8C41-9B3E-4D17-A6C2-7E0B1D93F458}";
const std::string kRules = std::string("Identities\\") + kIdentity + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
const char* const kBackup = "C:\\Program Files\\Hastelyn\\OE メールルールのバックアップ.hiv";

// The rules key with everything below it, as regedit text; empty when the key is missing.
std::string rulesText(EngineFixture& fx, const std::string& key = kRules) {
    std::string text;
    if (fx.sandbox().registry().exportKey(RootKey::CurrentUser, key, text) != 0) return {};
    return text;
}

bool backupExists(EngineFixture& fx) {
    return fx.platform().files.getFileAttributes(kBackup) != platform::fileattr::Invalid;
}

TEST(MailRules, KeyIsTheLastBraceIdentityInRegistryOrderWithTheRootNameOfTheEdition) {
    EngineFixture xp("xp");
    xp.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities\\{0000}", "x", "a", foundation::RegType::String);
    xp.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities\\~Old", "x", "a", foundation::RegType::String);
    const auto key = mailRuleKey(xp.session());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->identity, kIdentity) << "{5F...} sorts after {0000}; ~Old sorts last but does not begin with {";
    EXPECT_EQ(key->rootName, "HKCU");
    EXPECT_EQ(key->keyPath, "\\" + kRules);

    EngineFixture nineEight("98");
    EXPECT_EQ(mailRuleKey(nineEight.session())->rootName, "HKEY_CURRENT_USER");
}

TEST(MailRules, RoundTripOnXpAndOn98BringsBackTheKeyAsItWas) {
    for (const char* image : {"xp", "98"}) {
        SCOPED_TRACE(image);
        EngineFixture fx(image);
        const std::string before = rulesText(fx);
        ASSERT_NE(before.find("info-ml@example.jp"), std::string::npos);

        ASSERT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Started);
        EXPECT_TRUE(backupExists(fx));
        const bool xp = std::string(image) == "xp";
        EXPECT_NE(fx.journal().find(xp ? "ShellExecute\topen\treg\tsave \"HKCU\\" + kRules + "\" \"" + kBackup + "\""
                                       : "ShellExecute\tOpen\tRegedit.exe\t/E \"" + std::string(kBackup) + "\" \"HKEY_CURRENT_USER\\" + kRules + "\""),
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

    // Any "OE*.hiv" counts as a backup; the import still uses the fixed name.
    ASSERT_TRUE(fx.platform().files.createNewFile("C:\\Program Files\\Hastelyn\\OE古い.hiv").ok());
    fx.dialogs().answers = {false};
    EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Declined);
    EXPECT_EQ(fx.dialogs().shown.back().second, "\r\nOutlook Expressのメールルールを復元しますか？");
    EXPECT_EQ(fx.clipboard().text(), "確認のメッセージ。Outlook Expressのメールルールを復元しますか？Yキーを押すと メールルールを復元します。Nキーを押すと 画面を閉じます。");
    EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
    EXPECT_NE(fx.journal().find("ShellExecute\tOpen\tRegedit.exe\t/s \"" + std::string(kBackup) + "\""), std::string::npos);
    EXPECT_EQ(fx.clipboard().text(), "情報のメッセージ。Outlook Expressのメールルールを復元しました。Enterキーを押すと 画面を閉じます。");
}

TEST(MailRules, WithoutAnIdentityNothingIsExportedOrImported) {
    for (const char* image : {"xp", "98"}) {
        SCOPED_TRACE(image);
        EngineFixture fx(image);
        ASSERT_EQ(BtnBackupOEClick(fx.session()), MailRuleOutcome::Started);
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

TEST(MailRules, BackupOfAnotherIdentity) {
    const std::string other = "{9B7D3E21-0C4F-4A88-B1E6-2D5F7A9C0E13}";
    const auto addIdentity = [&](EngineFixture& fx) {
        // Sorts after the first: the new last identity.
        fx.session().registry.WriteRegValue(RootKey::CurrentUser, "\\Identities\\" + other, "Username", "新しい ID",
                                            foundation::RegType::String);
    };
    {
        SCOPED_TRACE("98: the text names the old identity; refused, nothing imported");
        EngineFixture fx("98");
        BtnBackupOEClick(fx.session());
        addIdentity(fx);
        const std::string journal = fx.journal();
        EXPECT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::OtherIdentity);
        EXPECT_EQ(fx.journal(), journal);
        EXPECT_EQ(fx.dialogs().shown.back().second,
                  std::string("\r\nこのバックアップは、別のOutlook Expressのユーザー（ID）のメールルールのため、\r\n"
                              "現在のユーザーには、復元できません。\r\n\r\nバックアップしたユーザー：") + kIdentity);
    }
    {
        SCOPED_TRACE("XP: the saved rules go to the current identity's key, made when missing");
        EngineFixture fx("xp");
        const std::string before = rulesText(fx);
        BtnBackupOEClick(fx.session());
        addIdentity(fx);
        const std::string otherRules = "Identities\\" + other + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
        ASSERT_EQ(BtnRecoveryOEClick(fx.session()), MailRuleOutcome::Started);
        std::string expected = before;
        for (std::size_t at; (at = expected.find(kIdentity)) != std::string::npos;) expected.replace(at, other.size(), other);
        EXPECT_EQ(rulesText(fx, otherRules), expected);
        EXPECT_EQ(rulesText(fx), before) << "the old identity keeps its rules";
    }
}

TEST(MailRules, AnOldBackupThatCannotBeDeletedEndsTheBackupWithAnError) {
    EngineFixture fx("xp");
    ASSERT_TRUE(fx.platform().files.createNewFile(kBackup).ok());
    ASSERT_TRUE(fx.platform().files.setFileAttributes(kBackup, platform::fileattr::ReadOnly).ok());
    EXPECT_THROW(BtnBackupOEClick(fx.session()), foundation::CommandError);
    EXPECT_EQ(fx.journal().find("ShellExecute"), std::string::npos);
}

}  // namespace
}  // namespace hastelyn::engine
