#include "tests/support/MachineState.h"

#include <optional>

#include "platform/Text.h"
#include "platform/recording/ValueText.h"

namespace hastelyn::testing {
namespace {

using platform::KeyHandle;
using platform::RootKey;

void walk(platform::Registry& registry, RootKey root, const std::string& path, std::map<std::string, std::string>& out) {
    KeyHandle key;
    if (registry.openKey(root, path, platform::KeyAccess::Query, key) != platform::win32error::Success) return;
    const std::string prefix = std::string(platform::rootKeyName(root)) + "\\" + (path.empty() ? "" : path + "\\");
    std::string name;
    for (std::uint32_t i = 0; registry.enumValue(key, i, name) == platform::win32error::Success; ++i) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (registry.queryValue(key, name, &type, nullptr, &size) != platform::win32error::Success) continue;
        std::string bytes(size, '\0');
        if (size > 0 && registry.queryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(bytes.data()), &size) !=
                            platform::win32error::Success)
            continue;
        bytes.resize(size);
        out[text::upperAscii(prefix + name)] = recording::registryValueText(type, bytes);
    }
    std::vector<std::string> subkeys;
    for (std::uint32_t i = 0; registry.enumKey(key, i, name) == platform::win32error::Success; ++i) subkeys.push_back(name);
    (void)registry.closeKey(key);  // opened for reading only
    for (const std::string& sub : subkeys) walk(registry, root, path.empty() ? sub : path + "\\" + sub, out);
}

}  // namespace

std::map<std::string, std::string> registryState(platform::Platform& platform) {
    std::map<std::string, std::string> state;
    for (const RootKey root : {RootKey::LocalMachine, RootKey::CurrentUser, RootKey::ClassesRoot})
        walk(platform.registry, root, "", state);
    return state;
}

std::map<std::string, std::optional<std::string>> stateChanges(const std::map<std::string, std::string>& before,
                                                               const std::map<std::string, std::string>& after) {
    std::map<std::string, std::optional<std::string>> changes;
    for (const auto& [target, value] : after) {
        const auto old = before.find(target);
        if (old == before.end() || old->second != value) changes[target] = value;
    }
    for (const auto& [target, value] : before)
        if (!after.contains(target)) changes[target] = std::nullopt;
    return changes;
}

}  // namespace hastelyn::testing
