#include "engine/MachineChanges.h"

#include <charconv>
#include <exception>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "engine/TweakItem.h"
#include "foundation/LockedItems.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kMutexName = "Hastelyn.Changes";
constexpr std::string_view kStampSection = "Machine";
constexpr std::string_view kStampKey = "Changes";

std::uint64_t numberOf(std::string_view text) {
    std::uint64_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size() ? n : 0;
}

}  // namespace

ChangeMutex::ChangeMutex(platform::WindowSystem& windows) : windows_(windows) {}

ChangeMutex::~ChangeMutex() {
    while (owned_ > 0) unlock();
    if (handle_) windows_.closeHandle(handle_);
}

void ChangeMutex::lock() {
    // Made at the first row that changes: a pass that changes nothing leaves no trace.
    if (!handle_ && !tried_) {
        tried_ = true;
        const long rc = windows_.createMutex(kMutexName, handle_);
        if (rc != platform::win32error::Success && rc != platform::win32error::AlreadyExists) handle_ = {};
    }
    if (handle_ && windows_.waitForMutex(handle_) == platform::win32error::Success) ++owned_;
}

void ChangeMutex::unlock() {
    if (owned_ == 0) return;
    --owned_;
    windows_.releaseMutex(handle_);
}

bool stillAsRead(bool inForceNow, std::uint8_t& flag, bool& ticked) {
    if (inForceNow == (flag != 0)) return true;
    flag = inForceNow ? 1 : 0;
    ticked = inForceNow;
    return false;
}

std::string rowKeyOf(const ItemModel& model, std::size_t stateIndex) {
    if (stateIndex < kFirstServiceState)
        return foundation::tweakRowKey(stateIndex / kRowsPerCategory, stateIndex % kRowsPerCategory);
    const std::vector<Row>& rows = model.services().rows;
    const std::size_t r = stateIndex - kFirstServiceState;
    return "Service:" + (r < rows.size() ? rows[r].label : std::string());
}

void noteMachineRead(Session& session) { session.machineStamp = session.settings.read(kStampSection, kStampKey); }

void stampChanges(Session& session) {
    ChangeMutex mutex(session.platform.windows);
    const std::lock_guard turn(mutex);
    const std::string now = session.settings.read(kStampSection, kStampKey);
    const std::string next = std::to_string(numberOf(now) + 1);
    try {
        session.settings.write(kStampSection, kStampKey, next);
    } catch (const std::exception&) {
        return;
    }
    if (now == session.machineStamp) session.machineStamp = next;
}

bool machineChangedSinceRead(Session& session) {
    return session.settings.read(kStampSection, kStampKey) != session.machineStamp;
}

std::vector<RereadRow> rereadChangedRows(Session& session) {
    std::vector<RereadRow> changed;
    const auto reread = [&changed](bool inForceNow, std::uint8_t& flag, Row& row, std::size_t index) {
        const bool userChanged = row.ticked != (flag != 0);
        if (!stillAsRead(inForceNow, flag, row.ticked)) changed.push_back({index, userChanged});
    };
    if (!machineChangedSinceRead(session)) return changed;
    noteMachineRead(session);
    auto& state = session.model.state();
    const std::vector<ItemList>& items = tweakItems();
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c) {
        std::vector<Row>& rows = session.model.tweakList(c).rows;
        for (std::size_t r = 0; r < items[c].size() && r < rows.size(); ++r) {
            const std::size_t index = c * kRowsPerCategory + r;
            reread(items[c][r]->inForce(session), state[index], rows[r], index);
        }
    }
    std::vector<Row>& services = session.model.services().rows;
    if (services.empty()) return changed;
    std::unordered_map<std::string, std::string> keyNames;  // by display name
    for (ListedService& s : listedServices(session)) keyNames[s.displayName] = std::move(s.keyName);
    for (std::size_t r = 0; r < services.size() && r < kMaxServiceRows; ++r) {
        const auto key = keyNames.find(services[r].label);
        if (key == keyNames.end()) continue;  // gone: the apply pass skips it
        const bool stopped = GetServiceStatusName(session.platform, key->second) == kStopped;
        reread(stopped, state[kFirstServiceState + r], services[r], kFirstServiceState + r);
    }
    return changed;
}

}  // namespace hastelyn::engine
