#include "app/cli/PcInfoCommands.h"

#include <cstdio>

#include "app/cli/RowNames.h"
#include "engine/PcInformation.h"
#include "foundation/LockedItems.h"

namespace hastelyn::cli {
namespace {

// "① 使用者" without "① ".
std::string_view plainLabel(std::string_view label) { return label.substr(label.find(' ') + 1); }

}  // namespace

int printPcInformation(engine::Session& session, bool json) {
    const engine::PcInformation info = engine::ReadPcInformation(session);
    const auto rows = engine::pcInfoRows();
    if (json) std::printf("[");
    for (std::size_t i = 0; i < info.size(); ++i) {
        const std::string label(plainLabel(rows[i].label));
        if (json)
            std::printf("%s\n  {\"field\": \"%s\", \"label\": %s, \"value\": %s}", i ? "," : "", rows[i].name,
                        jsonText(label).c_str(), jsonText(info[i]).c_str());
        else
            std::printf("%s\t%s\n", label.c_str(), info[i].c_str());
    }
    if (json) std::printf("\n]\n");
    return 0;
}

int setPcInformation(engine::Session& session, const PcInfoTexts& texts) {
    const engine::PcInformation current = engine::ReadPcInformation(session);
    foundation::LockableControls locks;
    foundation::applyLockedItems(session.settings, locks);
    const std::optional<std::string>* given[] = {&texts.user, &texts.organization, &texts.computer};
    std::string edited[engine::kPcInfoEditableCount];
    bool refused = false;
    for (std::size_t i = 0; i < engine::kPcInfoEditableCount; ++i) {
        edited[i] = current[i];
        if (!given[i]->has_value() || **given[i] == current[i]) continue;
        if (!locks.pcInfoEditable[i]) {
            std::fprintf(stderr, "%s はロックされているため、変更できません。\n",
                         std::string(plainLabel(engine::pcInfoRows()[i].label)).c_str());
            refused = true;
            continue;
        }
        edited[i] = **given[i];
    }
    switch (engine::BtnChangeClick(session, {edited[0], edited[1], edited[2]})) {
        case engine::PcInfoChange::Written: std::printf("changed\n"); break;
        case engine::PcInfoChange::Cancelled: std::printf("cancelled\n"); break;
        case engine::PcInfoChange::Empty:
            std::fprintf(stderr, "空の項目があるため、設定しませんでした。\n");
            return 1;
        case engine::PcInfoChange::Invalid: return 1;
    }
    return refused ? 1 : 0;
}

}  // namespace hastelyn::cli
