#pragma once
// The mail-rule page of the save-and-restore window without its window: the mail client's rule
// key of the current identity saved to, and put back from, one backup file in the program's
// folder by the system's registry tools. A backup file may come from elsewhere: what a restore
// would import is checked first (MailRuleFile.h).
#include <optional>
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kMailRuleBackupName = "OE メールルールのバックアップ.hiv";
// Where a new backup is exported before it takes the old one's place.
inline constexpr std::string_view kMailRuleExportName = "OE メールルールのバックアップ.tmp";
inline constexpr std::string_view kMailRulesBelowIdentity = "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
// The identity the last backup was made on, noted in the settings file.
inline constexpr std::string_view kMailRuleSection = "OE";
inline constexpr std::string_view kMailRuleIdentityKey = "Identity";

struct MailRuleKey {
    std::string identity;  // "{...}"
    std::string rootName;  // "HKCU" on XP, "HKEY_CURRENT_USER" elsewhere
    std::string keyPath;   // "\Identities\{...}\Software\Microsoft\Outlook Express\5.0\Rules\Mail"
};

// The last subkey of HKEY_CURRENT_USER\Identities (registry order) whose name begins with "{";
// nothing when there is none, and then no key at all is known.
std::optional<MailRuleKey> mailRuleKey(Session& session);

// The backup file's full path.
std::string mailRuleBackupPath(Session& session);

enum class MailRuleOutcome {
    Declined,         // No to the question
    NoBackup,         // no "OE*.hiv" in the program folder, or not the backup's own name (restore)
    NoIdentity,       // no identity: refused, nothing exported or imported
    NoRules,          // the identity has no rules key: nothing exported, the old backup kept
    NotSaved,         // the export made no file of the rules: the old backup kept
    Saved,            // the new backup replaced the old one
    Refused,          // not a backup of rules, or it names other keys: refused, nothing imported
    Started,          // the import was started; it is not waited for
};

// BtnBackupOE: question, the export to a file of its own awaited, that file checked as a restore
// would check it and only then put in the old backup's place (atomically), the identity noted,
// the message. A kill at any moment leaves the old backup or the new. Throws CommandError when
// the old backup cannot be replaced (read-only), before anything is exported.
MailRuleOutcome BtnBackupOEClick(Session& session);
// BtnRecoveryOE: the check for a backup, question, the file checked (MailRuleFile.h), the
// import started, the message.
MailRuleOutcome BtnRecoveryOEClick(Session& session);

}  // namespace hastelyn::engine
