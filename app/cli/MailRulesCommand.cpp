#include <cstdio>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "engine/MailRules.h"

namespace hastelyn::cli {

// The mail-rule page's two buttons: the tool is started, not awaited.
int runMailRules(CommandContext& context) {
    engine::Session& session = context.session;
    const std::string& action = context.options.files.front();
    const engine::MailRuleOutcome outcome =
        action == "backup" ? engine::BtnBackupOEClick(session) : engine::BtnRecoveryOEClick(session);
    const char* result = outcome == engine::MailRuleOutcome::Started    ? "started"
                         : outcome == engine::MailRuleOutcome::Declined ? "cancelled"
                                                                        : "refused";  // the message went to stderr
    const std::string file = engine::mailRuleBackupPath(session);
    if (context.options.json) {
        printJson(commandObject("mail-rules")
                      .set("action", action)
                      .set("result", result)
                      .set("file", outcome == engine::MailRuleOutcome::Started ? Json(file) : Json()));
    } else if (outcome == engine::MailRuleOutcome::Started) {
        std::printf("%s\n", file.c_str());
    } else if (outcome == engine::MailRuleOutcome::Declined) {
        std::printf("cancelled\n");
    }
    return outcome == engine::MailRuleOutcome::Started || outcome == engine::MailRuleOutcome::Declined ? 0 : 1;
}

}  // namespace hastelyn::cli
