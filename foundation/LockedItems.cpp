#include "foundation/LockedItems.h"

#include <array>
#include <string_view>

namespace hastelyn::foundation {
namespace {

constexpr std::array<std::string_view, kTweakListCount> kRowPrefixes = {"System", "Desktop", "Explorer", "Power",
                                                                       "Others"};
constexpr std::string_view kPreLocked = "pre_true";
constexpr std::string_view kLocked = "true";

std::string numberedKey(std::string_view prefix, std::size_t index) {
    return std::string(prefix) + std::to_string(index + 1);
}

// Marked by the program: the control stays as the start-up checks left it.
void applyLock(const std::string& value, bool& enabled) {
    if (value == kPreLocked) return;
    enabled = value != kLocked;
}

}  // namespace

std::string tweakRowKey(std::size_t list, std::size_t rowIndex) {
    return numberedKey(kRowPrefixes.at(list), rowIndex);
}

void markPreLocked(Settings& settings, const LockableControls& controls) {
    for (std::size_t list = 0; list < kTweakListCount; ++list) {
        for (std::size_t row = 0; row < kRowsPerList; ++row) {
            if (!controls.tweakRowEnabled[list][row])
                settings.write(kDisabledItemSection, tweakRowKey(list, row), kPreLocked);
        }
    }
    if (controls.serviceListHasRows && !controls.serviceFirstRowEnabled)
        settings.write(kDisabledItemSection, "Service", kPreLocked);
    for (std::size_t i = 0; i < kUtilityButtons; ++i) {
        if (!controls.utilityEnabled[i]) settings.write(kDisabledItemSection, numberedKey("Utility", i), kPreLocked);
    }
    for (std::size_t i = 0; i < kPcInfoFields; ++i) {
        if (!controls.pcInfoEditable[i]) settings.write(kDisabledItemSection, numberedKey("PCInfo", i), kPreLocked);
    }
}

void applyLockedItems(const Settings& settings, LockableControls& controls) {
    for (std::size_t list = 0; list < kTweakListCount; ++list) {
        for (std::size_t row = 0; row < kRowsPerList; ++row)
            applyLock(settings.read(kDisabledItemSection, tweakRowKey(list, row)), controls.tweakRowEnabled[list][row]);
    }

    // Unlike every other control, the services list is locked while its key is absent.
    const std::string service = settings.read(kDisabledItemSection, "Service");
    if (service == kPreLocked) controls.serviceRows = LockableControls::Change::Leave;
    else if (service == kLocked || service == "NULL") controls.serviceRows = LockableControls::Change::Disable;
    else controls.serviceRows = LockableControls::Change::Enable;

    for (std::size_t i = 0; i < kUtilityButtons; ++i)
        applyLock(settings.read(kDisabledItemSection, numberedKey("Utility", i)), controls.utilityEnabled[i]);
    for (std::size_t i = 0; i < kPcInfoFields; ++i)
        applyLock(settings.read(kDisabledItemSection, numberedKey("PCInfo", i)), controls.pcInfoEditable[i]);
}

void keepProgramLocks(const LockableControls& marked, LockableControls& controls) {
    for (std::size_t list = 0; list < kTweakListCount; ++list)
        for (std::size_t row = 0; row < kRowsPerList; ++row)
            controls.tweakRowEnabled[list][row] = controls.tweakRowEnabled[list][row] && marked.tweakRowEnabled[list][row];
    if (marked.serviceListHasRows && !marked.serviceFirstRowEnabled) controls.serviceRows = LockableControls::Change::Leave;
    for (std::size_t i = 0; i < kUtilityButtons; ++i)
        controls.utilityEnabled[i] = controls.utilityEnabled[i] && marked.utilityEnabled[i];
    for (std::size_t i = 0; i < kPcInfoFields; ++i)
        controls.pcInfoEditable[i] = controls.pcInfoEditable[i] && marked.pcInfoEditable[i];
}

}  // namespace hastelyn::foundation
