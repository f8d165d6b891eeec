#include "app/cli/PcInfoCommands.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "engine/PcInformation.h"
#include "foundation/CommandError.h"
#include "foundation/LockedItems.h"

namespace hastelyn::cli {
namespace {

// "① 使用者" without "① ".
std::string_view plainLabel(std::string_view label) { return label.substr(label.find(' ') + 1); }

}  // namespace

int runInfo(CommandContext& context) {
    const engine::PcInformation info = engine::ReadPcInformation(context.session);
    const auto rows = engine::pcInfoRows();
    Json fields = Json::array();
    for (std::size_t i = 0; i < info.size(); ++i) {
        const std::string label(plainLabel(rows[i].label));
        if (context.options.json)
            fields.push(Json::object().set("field", rows[i].name).set("label", label).set("value", valueJson(info[i])));
        else
            std::printf("%s\t%s\n", label.c_str(), info[i].c_str());
    }
    if (context.options.json) printJson(commandObject("info").set("fields", std::move(fields)));
    return 0;
}

int runSetInfo(CommandContext& context) {
    engine::Session& session = context.session;
    const PcInfoTexts& texts = context.options.pcInfo;
    const engine::PcInformation current = engine::ReadPcInformation(session);
    foundation::LockableControls locks;
    foundation::applyLockedItems(session.settings, locks);
    const std::optional<std::string>* given[] = {&texts.user, &texts.organization, &texts.computer};
    std::string edited[engine::kPcInfoEditableCount];
    std::vector<Refusal> refused;
    for (std::size_t i = 0; i < engine::kPcInfoEditableCount; ++i) {
        edited[i] = current[i];
        if (!given[i]->has_value() || **given[i] == current[i]) continue;
        if (!locks.pcInfoEditable[i]) {
            const std::string label(plainLabel(engine::pcInfoRows()[i].label));
            refused.push_back({engine::pcInfoRows()[i].name, label + " はロックされているため、変更できません。"});
            std::fprintf(stderr, "%s\n", refused.back().message.c_str());
            continue;
        }
        edited[i] = **given[i];
    }
    // Texts that are already so are no change: nothing is asked or written.
    const char* result = "unchanged";
    if (!std::equal(std::begin(edited), std::end(edited), current.begin())) {
        switch (engine::BtnChangeClick(session, {edited[0], edited[1], edited[2]})) {
            case engine::PcInfoChange::Written: result = "changed"; break;
            case engine::PcInfoChange::Cancelled: result = "cancelled"; break;
            case engine::PcInfoChange::Empty: throw foundation::CommandError("空の項目があるため、設定しませんでした。");
            case engine::PcInfoChange::Invalid: throw ReportedError("使えない文字を含む項目があるため、設定しませんでした。");
        }
    }
    if (context.options.json)
        printJson(commandObject("set-info").set("result", result).set("refused", refusalsJson(refused, "field")));
    else
        std::printf("%s\n", result);
    return refused.empty() ? 0 : 1;
}

}  // namespace hastelyn::cli
