#include <cstdio>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "engine/MailRules.h"

namespace hastelyn::cli {

// The mail-rule page's two buttons: a backup is awaited and says "saved" only once the new file
// is in place; a restore is checked, then its tool started and not awaited ("started").
int runMailRules(CommandContext& context) {
    using engine::MailRuleOutcome;
    engine::Session& session = context.session;
    const std::string& action = context.options.files.front();
    const MailRuleOutcome outcome =
        action == "backup" ? engine::BtnBackupOEClick(session) : engine::BtnRecoveryOEClick(session);
    const bool done = outcome == MailRuleOutcome::Saved || outcome == MailRuleOutcome::Started;
    const char* result = outcome == MailRuleOutcome::Saved      ? "saved"
                         : outcome == MailRuleOutcome::Started  ? "started"
                         : outcome == MailRuleOutcome::Declined ? "cancelled"
                                                                : "refused";  // the message went to stderr
    const std::string file = engine::mailRuleBackupPath(session);
    if (context.options.json) {
        printJson(commandObject("mail-rules").set("action", action).set("result", result).set("file", done ? Json(file) : Json()));
    } else if (done) {
        std::printf("%s\n", file.c_str());
    } else if (outcome == MailRuleOutcome::Declined) {
        std::printf("cancelled\n");
    }
    return done || outcome == MailRuleOutcome::Declined ? 0 : 1;
}

}  // namespace hastelyn::cli
