#include "engine/MailRules.h"

#include <vector>

#include "engine/MailRuleFile.h"
#include "engine/RestorePoint.h"
#include "engine/ServiceCommand.h"
#include "foundation/CommandError.h"
#include "foundation/OpenKey.h"
#include "foundation/BoundedFile.h"
#include "foundation/RegistryExportFile.h"
#include "foundation/SystemPaths.h"
#include "foundation/SystemTools.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kIdentitiesKey = "\\Identities";
constexpr std::string_view kLastIdentityValue = "Last User ID";
constexpr std::string_view kDefaultIdentityValue = "Default User ID";

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

constexpr std::string_view kNoRulesSpoken = "エラーのメッセージ。Outlook Expressのメールルールが、見つからないため、バックアップできません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoRulesText = "\r\nOutlook Expressのメールルールが、見つからないため、\r\nバックアップできません。";
constexpr std::string_view kNotSavedSpoken = "エラーのメッセージ。メールルールのバックアップファイルを、作成できませんでした。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNotSavedText = "\r\nメールルールのバックアップファイルを、作成できませんでした。\r\n以前のバックアップファイルは、変更していません。";
constexpr std::string_view kNotRulesSpoken = "エラーのメッセージ。このファイルは、メールルールのバックアップではないため、復元できません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNotRulesText = "\r\nこのファイルは、Outlook Expressのメールルールのバックアップではないため、\r\n復元できません。\r\n\r\nファイル：";
constexpr std::string_view kOutsideSpoken = "エラーのメッセージ。このファイルには、メールルール以外のレジストリキーが含まれているため、復元できません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kOutsideText = "\r\nこのファイルには、メールルール以外のレジストリキーが含まれているため、\r\n何も変更せずに、復元を中止しました。\r\n\r\nキー：";

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

bool rulesKeyExists(Session& session, const MailRuleKey& key) {
    return static_cast<bool>(foundation::OpenKey(session.platform.registry, platform::RootKey::CurrentUser, key.keyPath,
                                                 platform::KeyAccess::Query));
}

// A backup file's bytes; nothing when it is missing, or longer than any backup of rules
// (tooLarge), which is then not read at all.
std::optional<std::string> readMailRuleFile(platform::FileSystem& files, const std::string& path, bool& tooLarge) {
    std::string content;
    const foundation::BoundedRead read =
        foundation::readFileWithin(files, path, foundation::kMaxRegistryExportBytes, content);
    tooLarge = read == foundation::BoundedRead::TooLarge;
    if (read != foundation::BoundedRead::Read) return std::nullopt;
    return content;
}

// A file an earlier backup left behind when it was ended half-way: reg save would not replace it.
void removeExportLeftover(platform::FileSystem& files, const std::string& path) {
    if (!files.deleteFile(path).ok() && files.getFileAttributes(path) != platform::fileattr::Invalid)
        throw foundation::CommandError("ファイル \"" + path + "\" を削除できません。");
}

}  // namespace

std::optional<MailRuleKey> mailRuleKey(Session& session) {
    const auto names = session.registry.GetRegSubKeys(platform::RootKey::CurrentUser, kIdentitiesKey);
    const auto identity = [&names](std::string_view wanted) -> std::optional<std::string> {
        for (const std::string& name : *names)
            if (name.starts_with('{') && text::equalsNoCase(name, wanted)) return name;
        return std::nullopt;
    };
    // The identity the mail client opens: the one last used, else the default one, where that
    // names an identity of this user. A key left by another PC's identity is never read by it.
    std::optional<std::string> chosen;
    for (const std::string_view value : {kLastIdentityValue, kDefaultIdentityValue}) {
        chosen = identity(session.registry.ReadRegValue(platform::RootKey::CurrentUser, kIdentitiesKey, value,
                                                        foundation::RegType::String));
        if (chosen) break;
    }
    // Without them: the last one in registry order.
    if (!chosen)
        for (const std::string& name : *names)
            if (name.starts_with('{')) chosen = name;
    if (!chosen) return std::nullopt;
    return MailRuleKey{*chosen, session.codes.edition == "XP" ? "HKCU" : "HKEY_CURRENT_USER",
                       std::string(kIdentitiesKey) + "\\" + *chosen + std::string(kMailRulesBelowIdentity)};
}

std::string mailRuleBackupPath(Session& session) { return programFolder(session) + std::string(kMailRuleBackupName); }

MailRuleOutcome BtnBackupOEClick(Session& session) {
    if (!session.dialogs.confirm(kBackupSpoken, kBackupQuestion)) return MailRuleOutcome::Declined;
    const std::optional<MailRuleKey> key = mailRuleKey(session);
    if (!key) {
        session.dialogs.error(kNoIdentityBackupSpoken, kNoIdentityBackupText);
        return MailRuleOutcome::NoIdentity;
    }
    if (!rulesKeyExists(session, *key)) {
        session.dialogs.error(kNoRulesSpoken, kNoRulesText);
        return MailRuleOutcome::NoRules;
    }
    platform::FileSystem& files = session.platform.files;
    const std::string file = mailRuleBackupPath(session);
    const std::uint32_t attributes = files.getFileAttributes(file);
    if (attributes != platform::fileattr::Invalid && (attributes & platform::fileattr::ReadOnly) != 0)
        throw foundation::CommandError("以前のバックアップファイル \"" + file + "\" を置き換えられません。");

    // The old backup stays until a new one is there: the tool writes a file of its own, which
    // is awaited and checked as a restore would check it before it takes the old one's place.
    const std::string exported = programFolder(session) + std::string(kMailRuleExportName);
    removeExportLeftover(files, exported);
    const foundation::RegistryToolStart tool =
        foundation::registryToolStart(session.codes, true, key->rootName, key->keyPath, exported);
    runServiceCommand(session, tool.program + " " + tool.parameters);
    bool tooLarge = false;
    const std::optional<std::string> saved = readMailRuleFile(files, exported, tooLarge);
    if (!saved || checkMailRuleFile(*saved, *key, session.codes.edition == "XP").verdict != MailRuleFileVerdict::Fits) {
        (void)files.deleteFile(exported);
        session.dialogs.error(kNotSavedSpoken, kNotSavedText);
        return MailRuleOutcome::NotSaved;
    }
    if (const platform::CallResult replaced = files.replaceFile(file, *saved); !replaced.ok())
        throw foundation::CommandError("バックアップファイル \"" + file + "\" を書き込めません。");
    (void)files.deleteFile(exported);
    session.settings.write(kMailRuleSection, kMailRuleIdentityKey, key->identity);
    session.dialogs.inform(kBackedUpSpoken, std::string(kBackedUpText) + programFolder(session) + "\r\n" +
                                                "作成ファイル：" + std::string(kMailRuleBackupName));
    return MailRuleOutcome::Saved;
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
    // The tools import whatever the file says: it is checked here, before any change.
    const std::string file = mailRuleBackupPath(session);
    const bool xp = session.codes.edition == "XP";
    bool tooLarge = false;
    const std::optional<std::string> content = readMailRuleFile(session.platform.files, file, tooLarge);
    if (!content && !tooLarge) {  // only other "OE*.hiv" files
        session.dialogs.error(kNoBackupSpoken, kNoBackupText);
        return MailRuleOutcome::NoBackup;
    }
    const MailRuleFileCheck check = content ? checkMailRuleFile(*content, *key, xp) : MailRuleFileCheck{};
    std::string imported = file;
    switch (check.verdict) {
    case MailRuleFileVerdict::Fits:
        break;
    case MailRuleFileVerdict::OtherIdentity: {
        // Rules saved on another PC (or by another identity): the same rules, put where the
        // mail client reads them here. The moved text is checked again as this identity's.
        const std::string moved = movedToIdentity(*content, check.detail, key->identity);
        if (checkMailRuleFile(moved, *key, false).verdict != MailRuleFileVerdict::Fits) {
            session.dialogs.error(kNotRulesSpoken, std::string(kNotRulesText) + file);
            return MailRuleOutcome::Refused;
        }
        // The registry editor is not awaited: the text stays until the next backup clears it.
        imported = programFolder(session) + std::string(kMailRuleExportName);
        if (!session.platform.files.replaceFile(imported, moved).ok())
            throw foundation::CommandError("ファイル \"" + imported + "\" を書き込めません。");
        break;
    }
    case MailRuleFileVerdict::Outside:
        session.dialogs.error(kOutsideSpoken, std::string(kOutsideText) + check.detail);
        return MailRuleOutcome::Refused;
    case MailRuleFileVerdict::NotRules:
        session.dialogs.error(kNotRulesSpoken, std::string(kNotRulesText) + file);
        return MailRuleOutcome::Refused;
    }
    // The saved hive goes into the key it is given (the rules become the current identity's),
    // which reg restore needs to exist.
    if (xp) makeSureKeyExists(session, *key);
    foundation::ImportRegKey(session.platform, session.codes, key->rootName, key->keyPath, imported);
    session.dialogs.inform(kRestoredSpoken, kRestoredText);
    return MailRuleOutcome::Started;
}

}  // namespace hastelyn::engine
