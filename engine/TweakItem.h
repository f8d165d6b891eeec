#pragma once
// One tweak row: how to tell that it is in force, what applying it ticked or unticked does, and
// what it keeps in a restore point and puts back from one.
#include <memory>
#include <vector>

#include "engine/RestorePointFile.h"
#include "engine/Session.h"

namespace hastelyn::engine {

// Where a row writes: the registry of the user who runs the program (HKEY_CURRENT_USER), the
// machine (HKEY_LOCAL_MACHINE, the classes, system files, services), or both. The program's own
// settings file, where some rows keep a note, counts as neither.
enum class RowScope { User, Machine, Both };

constexpr std::string_view scopeName(RowScope scope) {
    return scope == RowScope::User ? "user" : scope == RowScope::Machine ? "machine" : "both";
}

class TweakItem {
public:
    virtual ~TweakItem() = default;

    // The read rule: true ticks the row.
    virtual bool inForce(Session& session) const = 0;
    // Performs the row's ticked or unticked actions. False when the row must keep its state
    // flag (a file it edits was not found, or a row that never changes). Errors that end the
    // pass are thrown (CommandError).
    virtual bool apply(Session& session, bool ticked) const = 0;
    // Runs at the row's place in every apply pass, whether the row changed or not.
    virtual void everyPass(Session& /*session*/) const {}
    // The row's keys in a restore point.
    virtual void backup(Session& session, RestorePointWriter& file) const = 0;
    virtual void restore(Session& session, RestorePointReader& file) const = 0;
    // Puts back the exact state of the row's values from the restore point's last section,
    // after every documented key was restored (ExactValues.h). The entries are written by
    // backup().
    virtual void restoreExact(Session& /*session*/, RestorePointReader& /*file*/) const {}
    // Runs for every restored row before anything is changed: throws CommandError, naming the
    // row and the key, when the file holds for this row a value the row itself could never have
    // written (a restore point may come from anyone). Exact entries included.
    virtual void checkRestore(Session& /*session*/, RestorePointReader& /*file*/) const {}
    // Whether the apply pass changes the machine for this row even where the edition disables
    // it, so that a restore must put it back there too.
    virtual bool changesWhenDisabled() const { return false; }
    // Where applying or restoring the row writes, on this Windows.
    virtual RowScope scope(Session& /*session*/) const { return RowScope::Machine; }
    // Whether the row's values belong to the PC they were read on (the boot line names its
    // system, its partition and its switches): a restore point of another PC never puts them
    // back. restoreSettingOnly then gives this PC's values the row's setting as the file has it.
    virtual bool holdsPcOwnValues(Session& /*session*/) const { return false; }
    virtual void restoreSettingOnly(Session& /*session*/, RestorePointReader& /*file*/) const {}
    // Whether reading, applying and restoring the row touch the registry alone, never asking
    // anything or starting a command: such a row is done in one registry batch.
    virtual bool registryOnly() const { return false; }
};

using ItemList = std::vector<std::unique_ptr<TweakItem>>;

// The ten rows of each category, ① to ⑩.
ItemList makeSystemItems();
ItemList makeDesktopItems();
ItemList makeExplorerItems();
ItemList makePowerItems();
ItemList makeOthersItems();

// All five categories in pass order.
const std::vector<ItemList>& tweakItems();

}  // namespace hastelyn::engine
