#pragma once
// Locked items (section "DisabledItem"): tweak rows, the services list, utility buttons and
// PC-information fields that the user or the program has locked.
#include <array>
#include <cstddef>
#include <string>

#include "foundation/Edition.h"
#include "foundation/Settings.h"

namespace hastelyn::foundation {

inline constexpr std::size_t kRowsPerList = 10;
inline constexpr std::size_t kUtilityButtons = 10;  // BtnWMP6 ... BtnConvert, "Utility1" ...
inline constexpr std::size_t kPcInfoFields = 3;     // EdtUser, EdtCorp, EdtComputer, "PCInfo1" ...

namespace detail {
template <std::size_t N>
constexpr std::array<bool, N> allTrue() {
    std::array<bool, N> flags{};
    flags.fill(true);
    return flags;
}
template <std::size_t Lists, std::size_t Rows>
constexpr std::array<std::array<bool, Rows>, Lists> allTrue2() {
    std::array<std::array<bool, Rows>, Lists> flags{};
    flags.fill(allTrue<Rows>());
    return flags;
}
}  // namespace detail

// The enabled state of every lockable control, copied from the windows and back. Everything
// starts enabled.
struct LockableControls {
    enum class Change { Leave, Enable, Disable };

    // [list in TweakList order][row index]
    std::array<std::array<bool, kRowsPerList>, kTweakListCount> tweakRowEnabled =
        detail::allTrue2<kTweakListCount, kRowsPerList>();
    // The services list: whether it has rows and whether its first row is enabled (read by the
    // marking); what the application does to all its rows (set by applying).
    bool serviceListHasRows = false;
    bool serviceFirstRowEnabled = true;
    Change serviceRows = Change::Leave;
    std::array<bool, kUtilityButtons> utilityEnabled = detail::allTrue<kUtilityButtons>();
    std::array<bool, kPcInfoFields> pcInfoEditable = detail::allTrue<kPcInfoFields>();
};

// The key of a tweak row: prefix and row number ("System1" ... "Others10").
std::string tweakRowKey(std::size_t list, std::size_t rowIndex);

// Writes "pre_true" for every control that is disabled now (start-up, after the checks and the
// read pass).
void markPreLocked(Settings& settings, const LockableControls& controls);
// "pre_true" leaves a control as it is, "true" locks it, anything else unlocks it; the services
// list is locked also when its key is absent.
void applyLockedItems(const Settings& settings, LockableControls& controls);
// What the program itself switched off (marked) stays off after applying, even when its
// "pre_true" marks could not be written: an unwritable settings file must not unlock the rows
// the edition has no use for.
void keepProgramLocks(const LockableControls& marked, LockableControls& controls);

}  // namespace hastelyn::foundation
