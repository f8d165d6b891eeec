#include "platform/recording/ChangeLog.h"

#include <map>

#include "platform/Text.h"

namespace hastelyn::recording {
namespace {

// Registry and profile targets name things Windows compares without case.
std::string targetKey(const Change& change) {
    return std::string(changeKindName(change.kind)) + '\n' + text::upperAscii(change.target);
}

RowChanges& rowOf(std::vector<RowChanges>& rows, const std::string& row) {
    for (RowChanges& r : rows)
        if (r.row == row) return r;
    rows.push_back({row, {}});
    return rows.back();
}

void dropUnchanged(std::vector<RowChanges>& rows, const std::vector<bool>& isCommand) {
    std::size_t index = 0;
    for (RowChanges& r : rows) {
        std::vector<Change> kept;
        for (Change& c : r.changes)
            if (isCommand[index++] || c.before != c.after) kept.push_back(std::move(c));
        r.changes = std::move(kept);
    }
    std::erase_if(rows, [](const RowChanges& r) { return r.changes.empty(); });
}

}  // namespace

std::string_view changeKindName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::Registry: return "registry";
        case ChangeKind::Profile: return "profile";
        case ChangeKind::File: return "file";
        case ChangeKind::Command: return "command";
        case ChangeKind::Service: return "service";
    }
    return "";
}

void ChangeLog::record(ChangeKind kind, std::string target, std::optional<std::string> before,
                       std::optional<std::string> after) {
    entries_.push_back({row_, {kind, std::move(target), std::move(before), std::move(after)}, false});
}

void ChangeLog::recordCommand(ChangeKind kind, std::string target, std::optional<std::string> after) {
    entries_.push_back({row_, {kind, std::move(target), std::nullopt, std::move(after)}, true});
}

std::vector<RowChanges> ChangeLog::byRow() const {
    std::vector<RowChanges> rows;
    std::vector<std::vector<bool>> commands;
    std::map<std::string, std::pair<std::size_t, std::size_t>> seen;  // row + target -> where
    for (const Entry& e : entries_) {
        RowChanges& r = rowOf(rows, e.row);
        const std::size_t rowIndex = static_cast<std::size_t>(&r - rows.data());
        if (commands.size() < rows.size()) commands.resize(rows.size());
        const std::string key = e.row + '\n' + targetKey(e.change);
        const auto found = e.command ? seen.end() : seen.find(key);
        if (found != seen.end()) {
            r.changes[found->second.second].after = e.change.after;
            continue;
        }
        if (!e.command) seen[key] = {rowIndex, r.changes.size()};
        r.changes.push_back(e.change);
        commands[rowIndex].push_back(e.command);
    }
    std::vector<bool> flat;
    for (const auto& c : commands) flat.insert(flat.end(), c.begin(), c.end());
    dropUnchanged(rows, flat);
    return rows;
}

std::vector<RowChanges> ChangeLog::net() const {
    // The first before and the last after of every target, and the last row that wrote it.
    std::vector<std::pair<std::string, Change>> targets;
    std::map<std::string, std::size_t> seen;
    for (const Entry& e : entries_) {
        if (e.command) continue;
        const std::string key = targetKey(e.change);
        const auto found = seen.find(key);
        if (found == seen.end()) {
            seen[key] = targets.size();
            targets.emplace_back(e.row, e.change);
        } else {
            targets[found->second].first = e.row;
            targets[found->second].second.after = e.change.after;
        }
    }
    std::vector<RowChanges> rows;
    for (auto& [row, change] : targets)
        if (change.before != change.after) rowOf(rows, row).changes.push_back(std::move(change));
    return rows;
}

}  // namespace hastelyn::recording
