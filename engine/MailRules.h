#pragma once
// The mail-rule page of the save-and-restore window without its window: the mail client's rule
// key of the current identity saved to, and put back from, one backup file in the program's
// folder by the system's registry tools, which run on their own.
#include <optional>
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kMailRuleBackupName = "OE メールルールのバックアップ.hiv";
// Where the identity each backup was made on is kept: the settings file.
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
    NoBackup,         // no "OE*.hiv" in the program folder (restore only)
    NoIdentity,       // no identity: refused, nothing exported or imported
    OtherIdentity,    // a text backup of another identity: refused, nothing imported
    Started,          // the tool was started; it is not waited for
};

// BtnBackupOE: question, the old backup file deleted, the export started, the identity noted,
// the message. Throws CommandError when an old backup cannot be deleted (the tool would keep
// it and the message would lie).
MailRuleOutcome BtnBackupOEClick(Session& session);
// BtnRecoveryOE: the check for a backup, question, the import started, the message.
MailRuleOutcome BtnRecoveryOEClick(Session& session);

}  // namespace hastelyn::engine
