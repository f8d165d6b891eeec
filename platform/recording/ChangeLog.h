#pragma once
// What a run changed, or would change, on the machine: every write and every started command,
// in the order they were made, each under the row that was being applied at the time.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::recording {

// Dry run: writes stay in memory where later reads of the run see them, commands are not
// started. Pass-through: every write and command reaches the machine and is recorded.
enum class RecordingMode { DryRun, PassThrough };

enum class ChangeKind { Registry, Profile, File, Command, Service };

// "registry", "profile", "file", "command", "service".
std::string_view changeKindName(ChangeKind kind);

struct Change {
    ChangeKind kind = ChangeKind::Registry;
    // A full registry value path ("HKEY_LOCAL_MACHINE\SOFTWARE\...\Name"), "file [section] key",
    // a file path, a command line or a service's display name.
    std::string target;
    std::optional<std::string> before;  // nullopt: absent
    std::optional<std::string> after;   // nullopt: absent (deleted)
};

// The changes made while one row was applied ("" for those outside any row).
struct RowChanges {
    std::string row;
    std::vector<Change> changes;
};

class ChangeLog {
public:
    // The row whose changes follow ("" when none).
    void beginRow(std::string_view row) { row_ = row; }
    const std::string& currentRow() const { return row_; }

    // A value, key or file written: recorded whatever it held, so that a later write of the
    // same target in the row can bring it back to where it was (and out of the views below).
    void record(ChangeKind kind, std::string target, std::optional<std::string> before,
                std::optional<std::string> after);
    // A command that was (or would have been) started.
    void recordCommand(ChangeKind kind, std::string target, std::optional<std::string> after = std::nullopt);

    // Rows in the order they first changed something; within a row each target once, in the
    // order first written, with its first before and its last after; writes that left a target
    // as it was are left out, commands never.
    std::vector<RowChanges> byRow() const;
    // Every target once across the whole run, under the last row that wrote it: the run's net
    // effect on the machine. Commands are left out.
    std::vector<RowChanges> net() const;

private:
    struct Entry {
        std::string row;
        Change change;
        bool command = false;
    };
    std::vector<Entry> entries_;
    std::string row_;
};

}  // namespace hastelyn::recording
