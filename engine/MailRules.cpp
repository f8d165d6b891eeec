#include "engine/MailRules.h"

#include <vector>

#include "engine/RestorePoint.h"
#include "foundation/CommandError.h"
#include "foundation/OpenKey.h"
#include "foundation/SystemPaths.h"
#include "foundation/SystemTools.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kIdentitiesKey = "\\Identities";
constexpr std::string_view kRulesBelowIdentity = "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";

constexpr std::string_view kBackupSpoken = "確認のメッセージ。Outlook Expressのメールルールをバックアップしますか？Yキーを押すと メールルールをバックアップします。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kBackupQuestion = "\r\nOutlook Expressのメールルールをバックアップしますか？";
constexpr std::string_view kBackedUpSpoken = "情報のメッセージ。Outlook Expressのメールルールをバックアップしました。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kBackedUpText = "Outlook Expressのメールルールをバックアップしました。\r\n作成されたバックアップファイルを利用することで、\r\nOutlook Expressのメールルールを、復元することができます。\r\n\r\n作成フォルダ：";

constexpr std::string_view kNoBackupSpoken = "エラーのメッセージ。作成されたメールルールのバックアップが、見つかりません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoBackupText = "\r\n作成されたメールルールのバックアップが、見つかりません。";
constexpr std::string_view kRecoverySpoken = "確認のメッセージ。Outlook Expressのメールルールを復元しますか？Yキーを押すと メールルールを復元します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kRecoveryQuestion = "\r\nOutlook Expressのメールルールを復元しますか？";
constexpr std::string_view kRestoredSpoken = "情報のメッセージ。Outlook Expressのメールルールを復元しました。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kRestoredText = "\r\nOutlook Expressのメールルールを復元しました。";

constexpr std::string_view kNoIdentityBackupSpoken = "エラーのメッセージ。Outlook Expressのユーザーが、見つからないため、メールルールをバックアップできません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoIdentityBackupText = "\r\nOutlook Expressのユーザー（ID）が、見つからないため、\r\nメールルールをバックアップできません。";
constexpr std::string_view kNoIdentityRecoverySpoken = "エラーのメッセージ。Outlook Expressのユーザーが、見つからないため、メールルールを復元できません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoIdentityRecoveryText = "\r\nOutlook Expressのユーザー（ID）が、見つからないため、\r\nメールルールを復元できません。";
constexpr std::string_view kOtherIdentitySpoken = "エラーのメッセージ。このバックアップは、別のユーザーのメールルールのため、復元できません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kOtherIdentityText = "\r\nこのバックアップは、別のOutlook Expressのユーザー（ID）のメールルールのため、\r\n現在のユーザーには、復元できません。\r\n\r\nバックアップしたユーザー：";

bool anyMailRuleBackup(Session& session) {
    return foundation::anyFileMatching(session.platform.files, programFolder(session) + "OE*.hiv");
}

// "reg restore" puts the saved rules into a key that must already be there; after the user
// deleted all rules it may not be.
void makeSureKeyExists(Session& session, const MailRuleKey& key) {
    foundation::OpenKey open(session.platform.registry, platform::RootKey::CurrentUser, key.keyPath,
                             foundation::OpenKey::Create);
    if (!open) throw foundation::CommandError("レジストリキー \"HKEY_CURRENT_USER" + key.keyPath + "\" を作成できません。");
}

}  // namespace

std::optional<MailRuleKey> mailRuleKey(Session& session) {
    const auto names = session.registry.GetRegSubKeys(platform::RootKey::CurrentUser, kIdentitiesKey);
    std::optional<MailRuleKey> key;
    for (const std::string& name : *names)
        if (name.starts_with('{'))
            key = MailRuleKey{name, session.codes.edition == "XP" ? "HKCU" : "HKEY_CURRENT_USER",
                              std::string(kIdentitiesKey) + "\\" + name + std::string(kRulesBelowIdentity)};
    return key;
}

std::string mailRuleBackupPath(Session& session) { return programFolder(session) + std::string(kMailRuleBackupName); }

MailRuleOutcome BtnBackupOEClick(Session& session) {
    if (!session.dialogs.confirm(kBackupSpoken, kBackupQuestion)) return MailRuleOutcome::Declined;
    const std::optional<MailRuleKey> key = mailRuleKey(session);
    if (!key) {
        session.dialogs.error(kNoIdentityBackupSpoken, kNoIdentityBackupText);
        return MailRuleOutcome::NoIdentity;
    }
    const std::string file = mailRuleBackupPath(session);
    if (!session.platform.files.deleteFile(file).ok() &&
        session.platform.files.getFileAttributes(file) != platform::fileattr::Invalid)
        throw foundation::CommandError("以前のバックアップファイル \"" + file + "\" を削除できません。");
    foundation::ExportRegKey(session.platform, session.codes, key->rootName, key->keyPath, file);
    session.settings.write(kMailRuleSection, kMailRuleIdentityKey, key->identity);
    session.dialogs.inform(kBackedUpSpoken, std::string(kBackedUpText) + programFolder(session) + "\r\n" +
                                                "作成ファイル：" + std::string(kMailRuleBackupName));
    return MailRuleOutcome::Started;
}

MailRuleOutcome BtnRecoveryOEClick(Session& session) {
    if (!anyMailRuleBackup(session)) {
        session.dialogs.error(kNoBackupSpoken, kNoBackupText);
        return MailRuleOutcome::NoBackup;
    }
    if (!session.dialogs.confirm(kRecoverySpoken, kRecoveryQuestion)) return MailRuleOutcome::Declined;
    const std::optional<MailRuleKey> key = mailRuleKey(session);
    if (!key) {
        session.dialogs.error(kNoIdentityRecoverySpoken, kNoIdentityRecoveryText);
        return MailRuleOutcome::NoIdentity;
    }
    if (session.codes.edition == "XP") {
        // The saved hive goes into the key it is given: the rules become the current identity's.
        makeSureKeyExists(session, *key);
    } else {
        // The registry editor's text names the key it came from and is imported there: rules of
        // another identity would land under that identity, not under the current one.
        const std::string savedOn = session.settings.read(kMailRuleSection, kMailRuleIdentityKey);
        if (savedOn != "NULL" && savedOn != key->identity) {
            session.dialogs.error(kOtherIdentitySpoken, std::string(kOtherIdentityText) + savedOn);
            return MailRuleOutcome::OtherIdentity;
        }
    }
    foundation::ImportRegKey(session.platform, session.codes, key->rootName, key->keyPath, mailRuleBackupPath(session));
    session.dialogs.inform(kRestoredSpoken, kRestoredText);
    return MailRuleOutcome::Started;
}

}  // namespace hastelyn::engine
