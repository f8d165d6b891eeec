#include "app/cli/CommandOutput.h"

#include <cstdio>

#include "app/cli/RowNames.h"
#include "foundation/RegistryValues.h"
#include "platform/Text.h"

namespace hastelyn::cli {
namespace {

constexpr std::string_view kPcInfoRow = "PCInfo";
constexpr std::string_view kPcInfoLabel = "パソコン情報";

std::string shown(const std::optional<std::string>& value) { return value ? *value : "(absent)"; }

}  // namespace

Json commandObject(std::string_view command) { return Json::object().set("command", command); }

void printJson(const Json& json) { std::printf("%s\n", json.text().c_str()); }

Json valueJson(const std::string& text) { return text == foundation::kNull ? Json() : Json(text); }

Json refusalsJson(const std::vector<Refusal>& refusals, std::string_view rowField) {
    Json list = Json::array();
    for (const Refusal& r : refusals) list.push(Json::object().set(std::string(rowField), r.row).set("message", r.message));
    return list;
}

bool isProgramSettings(const engine::Session& session, const recording::Change& change) {
    return change.kind == recording::ChangeKind::Profile &&
           text::equalsNoCase(change.target.substr(0, change.target.find(" [")), session.settings.path());
}

bool rebootRequired(const engine::Session& session, const std::vector<recording::RowChanges>& rows) {
    bool needed = false;
    for (const recording::RowChanges& r : rows)
        for (const recording::Change& c : r.changes) {
            // The run restarted Windows itself (a Yes to the restart question).
            if (c.kind == recording::ChangeKind::Command && c.target.starts_with("ExitWindowsEx")) return false;
            if (!r.row.empty() && !r.row.starts_with("Service:") && !isProgramSettings(session, c)) needed = true;
        }
    return needed;
}

std::vector<recording::RowChanges> rowsOnly(std::vector<recording::RowChanges> rows) {
    std::erase_if(rows, [](const recording::RowChanges& r) { return r.row.empty(); });
    return rows;
}

Json rowsJson(const std::vector<recording::RowChanges>& rows, engine::ItemModel& model) {
    Json list = Json::array();
    for (const recording::RowChanges& r : rows) {
        const engine::Row* row = findRow(model, r.row);
        Json changes = Json::array();
        for (const recording::Change& c : r.changes)
            changes.push(Json::object()
                             .set("kind", recording::changeKindName(c.kind))
                             .set("target", c.target)
                             .set("before", c.before)
                             .set("after", c.after));
        list.push(Json::object()
                      .set("row", r.row)
                      .set("label", row != nullptr ? std::string_view(row->label) : r.row == kPcInfoRow ? kPcInfoLabel : "")
                      .set("ticked", row != nullptr && row->ticked)
                      .set("changes", std::move(changes)));
    }
    return list;
}

void printRows(std::FILE* out, const std::vector<recording::RowChanges>& rows, engine::ItemModel& model) {
    for (const recording::RowChanges& r : rows) {
        const engine::Row* row = findRow(model, r.row);
        std::fprintf(out, "%s\t%s\n", r.row.c_str(),
                     row != nullptr ? row->label.c_str() : r.row == kPcInfoRow ? kPcInfoLabel.data() : "");
        for (const recording::Change& c : r.changes) {
            const std::string kind(recording::changeKindName(c.kind));
            if (c.kind == recording::ChangeKind::Command)
                std::fprintf(out, "  %s\t%s\n", kind.c_str(), c.target.c_str());
            else if (c.kind == recording::ChangeKind::Service)
                std::fprintf(out, "  %s\t%s\t→ %s\n", kind.c_str(), c.target.c_str(), shown(c.after).c_str());
            else
                std::fprintf(out, "  %s\t%s\t%s → %s\n", kind.c_str(), c.target.c_str(), shown(c.before).c_str(),
                             shown(c.after).c_str());
        }
    }
}

}  // namespace hastelyn::cli
