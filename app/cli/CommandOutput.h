#pragma once
// What the commands print: plain lines for people, or one JSON object with --json.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/JsonWriter.h"
#include "engine/ItemModel.h"
#include "engine/Session.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::cli {

// The object every command prints with --json: {"command": name, ...}.
Json commandObject(std::string_view command);
// Writes the object on stdout, followed by a line break.
void printJson(const Json& json);
// A value as the program reads it ("NULL" when absent): null for an absent one.
Json valueJson(const std::string& text);

// A row that was refused, and why: listed under "refused".
struct Refusal {
    std::string row;
    std::string message;
};
Json refusalsJson(const std::vector<Refusal>& refusals, std::string_view rowField = "row");

// The changes of the rows (not those outside any row), as {"row", "label", "ticked", "changes"}.
Json rowsJson(const std::vector<recording::RowChanges>& rows, engine::ItemModel& model);
// The same for people: a line per row, "ROW<TAB>label", and a line per change,
// "  kind<TAB>target<TAB>before → after" (commands without the arrow), on the stream given.
void printRows(std::FILE* out, const std::vector<recording::RowChanges>& rows, engine::ItemModel& model);

// Whether a change is a note in the program's own settings file, no state of the machine.
bool isProgramSettings(const engine::Session& session, const recording::Change& change);
// Whether the rows changed anything that takes effect only after a restart of Windows (or a new
// logon, which a restart also gives): a change of a tweak row or of the PC information that
// reaches the machine. A service row is started or stopped at once and needs none; a run that
// restarted Windows itself needs no other. `rows` is the whole log, the writes outside rows too.
bool rebootRequired(const engine::Session& session, const std::vector<recording::RowChanges>& rows);

// The rows with changes, without the writes made outside any row (the restore point, start-up).
std::vector<recording::RowChanges> rowsOnly(std::vector<recording::RowChanges> rows);

}  // namespace hastelyn::cli
