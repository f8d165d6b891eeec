#include "platform/recording/RecordingRegistry.h"

#include <algorithm>
#include <functional>

#include "platform/Text.h"
#include "platform/recording/ValueText.h"

namespace hastelyn::recording {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
namespace win32error = platform::win32error;

// What a dry run did to one key.
struct KeyState {
    std::optional<bool> exists;  // made (true) or removed (false) in this run
    bool hidesMachine = false;   // removed in this run: the machine's values and subkeys are gone
    std::string name;            // the last part of the path, as written
    std::vector<std::pair<std::string, std::optional<RecordingRegistry::Value>>> values;  // nullopt: deleted
};

struct RecordingRegistry::Overlay {
    std::map<std::string, KeyState> keys;  // by rootKeyName + "\" + the path in upper case
};

namespace {

std::string trimmedPath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

std::string joinPath(const std::string& a, std::string_view b) {
    const std::string tail = trimmedPath(b);
    if (a.empty()) return tail;
    return tail.empty() ? a : a + "\\" + tail;
}

std::string overlayKey(RootKey root, const std::string& path) {
    return std::string(platform::rootKeyName(root)) + "\\" + text::upperAscii(path);
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The overlay's entry of a key, made with the key's name when it is new.
KeyState& stateOf(RecordingRegistry::Overlay& overlay, RootKey root, const std::string& path) {
    KeyState& state = overlay.keys[overlayKey(root, path)];
    if (state.name.empty()) state.name = path.substr(path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\') + 1);
    return state;
}

bool isPerformanceRoot(RootKey root) { return root == RootKey::PerformanceData || root == RootKey::DynData; }

// A key of the machine, opened for reading for the length of one look.
class RealKey {
public:
    RealKey(platform::Registry& registry, RootKey root, const std::string& path) : registry_(registry) {
        opened_ = registry_.openKey(root, path, KeyAccess::Query, key_) == win32error::Success;
    }
    ~RealKey() {
        // Nothing was written through a key opened for reading: its close has nothing to report.
        if (opened_) (void)registry_.closeKey(key_);
    }
    RealKey(const RealKey&) = delete;
    RealKey& operator=(const RealKey&) = delete;
    explicit operator bool() const { return opened_; }
    KeyHandle handle() const { return key_; }

private:
    platform::Registry& registry_;
    KeyHandle key_;
    bool opened_ = false;
};

std::optional<RecordingRegistry::Value> queryWhole(platform::Registry& registry, KeyHandle key, std::string_view name) {
    RecordingRegistry::Value value;
    std::uint32_t size = 0;
    if (registry.queryValue(key, name, &value.type, nullptr, &size) != win32error::Success) return std::nullopt;
    value.bytes.resize(size);
    if (size > 0 && registry.queryValue(key, name, &value.type, reinterpret_cast<std::uint8_t*>(value.bytes.data()),
                                        &size) != win32error::Success)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::vector<std::string> enumerate(platform::Registry& registry, KeyHandle key, bool subkeys) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        const long result = subkeys ? registry.enumKey(key, i, name) : registry.enumValue(key, i, name);
        if (result != win32error::Success) break;
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::string> shown(const std::optional<RecordingRegistry::Value>& value) {
    if (!value) return std::nullopt;
    return registryValueText(value->type, value->bytes);
}

}  // namespace

RecordingRegistry::RecordingRegistry(platform::Registry& real, RecordingMode mode, ChangeLog& log)
    : real_(real), mode_(mode), log_(log), overlay_(std::make_unique<Overlay>()) {}

RecordingRegistry::~RecordingRegistry() {
    // Keys the callers left open are closed with the layer; a close at the end has no one to
    // report to.
    for (const auto& [handle, key] : handles_)
        if (key.real) (void)real_.closeKey(key.real);
}

const RecordingRegistry::OpenedKey* RecordingRegistry::opened(KeyHandle key) const {
    const auto found = handles_.find(key.value);
    return found == handles_.end() ? nullptr : &found->second;
}

KeyHandle RecordingRegistry::remember(OpenedKey key) {
    const KeyHandle handle{++nextHandle_};
    handles_.emplace(handle.value, std::move(key));
    return handle;
}

std::string RecordingRegistry::target(RootKey root, const std::string& path, std::string_view name) const {
    return std::string(platform::rootKeyName(root)) + "\\" + (path.empty() ? "" : path + "\\") + std::string(name);
}

bool RecordingRegistry::keyExists(RootKey root, const std::string& path) {
    if (path.empty()) return true;
    for (std::string p = path;; p = parentOf(p)) {
        const auto found = overlay_->keys.find(overlayKey(root, p));
        if (found != overlay_->keys.end()) {
            if (p == path && found->second.exists) return *found->second.exists;
            if (found->second.hidesMachine || found->second.exists == false) return false;
        }
        if (p.find('\\') == std::string::npos) break;
    }
    return static_cast<bool>(RealKey(real_, root, path));
}

// True when this run removed the key or one above it, so that the machine's content is gone.
static bool machineHidden(const RecordingRegistry::Overlay& overlay, RootKey root, const std::string& path) {
    for (std::string p = path; !p.empty(); p = parentOf(p)) {
        const auto found = overlay.keys.find(overlayKey(root, p));
        if (found != overlay.keys.end() && found->second.hidesMachine) return true;
    }
    return false;
}

std::optional<RecordingRegistry::Value> RecordingRegistry::readValue(RootKey root, const std::string& path,
                                                                     std::string_view name) {
    const auto found = overlay_->keys.find(overlayKey(root, path));
    if (found != overlay_->keys.end())
        for (const auto& [written, value] : found->second.values)
            if (text::equalsNoCase(written, name)) return value;
    if (machineHidden(*overlay_, root, path)) return std::nullopt;
    const RealKey key(real_, root, path);
    return key ? queryWhole(real_, key.handle(), name) : std::nullopt;
}

std::vector<std::string> RecordingRegistry::valueNames(RootKey root, const std::string& path) {
    std::vector<std::string> names;
    if (!machineHidden(*overlay_, root, path))
        if (const RealKey key(real_, root, path); key) names = enumerate(real_, key.handle(), false);
    const auto found = overlay_->keys.find(overlayKey(root, path));
    if (found == overlay_->keys.end()) return names;
    for (const auto& written : found->second.values) {
        const auto same = std::find_if(names.begin(), names.end(),
                                       [&](const std::string& n) { return text::equalsNoCase(n, written.first); });
        if (!written.second && same != names.end()) names.erase(same);
        if (written.second && same == names.end()) names.push_back(written.first);
    }
    return names;
}

std::vector<std::string> RecordingRegistry::subkeyNames(RootKey root, const std::string& path) {
    std::vector<std::string> names;
    if (!machineHidden(*overlay_, root, path))
        if (const RealKey key(real_, root, path); key) names = enumerate(real_, key.handle(), true);
    const std::string prefix = overlayKey(root, path) + (path.empty() ? "" : "\\");
    for (const auto& entry : overlay_->keys) {
        const std::string& key = entry.first;
        if (!key.starts_with(prefix) || key.find('\\', prefix.size()) != std::string::npos || key.size() == prefix.size())
            continue;
        const std::string& name = entry.second.name;
        const bool listed =
            std::any_of(names.begin(), names.end(), [&](const std::string& n) { return text::equalsNoCase(n, name); });
        if (!listed) names.push_back(name);
    }
    std::erase_if(names, [&](const std::string& n) { return !keyExists(root, joinPath(path, n)); });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return text::compareNoCase(a, b) < 0; });
    return names;
}

long RecordingRegistry::openKey(RootKey root, std::string_view subKey, KeyAccess access, KeyHandle& out) {
    out = {};
    OpenedKey key{root, trimmedPath(subKey), access, {}};
    if (mode_ == RecordingMode::PassThrough || isPerformanceRoot(root)) {
        const long result = real_.openKey(root, subKey, access, key.real);
        if (result == win32error::Success) out = remember(std::move(key));
        return result;
    }
    if (!keyExists(root, key.path)) return win32error::FileNotFound;
    if (access == KeyAccess::Full && !machineHidden(*overlay_, root, key.path)) {
        // Whether the machine would let it be opened for writing: only asked, never written.
        KeyHandle probe;
        const long result = real_.openKey(root, key.path, KeyAccess::Full, probe);
        if (result == win32error::Success) {
            (void)real_.closeKey(probe);  // opened only to ask; nothing to report
        } else if (result != win32error::FileNotFound) {
            return result;
        }
    }
    out = remember(std::move(key));
    return win32error::Success;
}

long RecordingRegistry::createKey(RootKey root, std::string_view subKey, KeyHandle& out) {
    out = {};
    OpenedKey key{root, trimmedPath(subKey), KeyAccess::Full, {}};
    if (mode_ == RecordingMode::PassThrough) {
        const long result = real_.createKey(root, subKey, key.real);
        if (result == win32error::Success) out = remember(std::move(key));
        return result;
    }
    // The deepest level that is there must let the machine write below it.
    std::string there = key.path;
    while (!there.empty() && !keyExists(root, there)) there = parentOf(there);
    if (!machineHidden(*overlay_, root, there)) {
        KeyHandle probe;
        const long result = real_.openKey(root, there, KeyAccess::Full, probe);
        if (result != win32error::Success && result != win32error::FileNotFound) return result;
        if (result == win32error::Success) (void)real_.closeKey(probe);  // opened only to ask
    }
    for (std::string p = key.path; p.size() > there.size(); p = parentOf(p)) {
        stateOf(*overlay_, root, p).exists = true;
    }
    out = remember(std::move(key));
    return win32error::Success;
}

long RecordingRegistry::closeKey(KeyHandle key) {
    const auto found = handles_.find(key.value);
    if (found == handles_.end()) return win32error::InvalidHandle;
    const KeyHandle real = found->second.real;
    handles_.erase(found);
    return real ? real_.closeKey(real) : win32error::Success;
}

long RecordingRegistry::queryValue(KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* size) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    if (k->real) return real_.queryValue(k->real, name, type, data, size);
    const std::optional<Value> value = readValue(k->root, k->path, name);
    if (!value) return win32error::FileNotFound;
    return platform::copyValueData(value->type, value->bytes, type, data, size);
}

long RecordingRegistry::enumKey(KeyHandle key, std::uint32_t index, std::string& name) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    if (k->real) return real_.enumKey(k->real, index, name);
    const std::vector<std::string> names = subkeyNames(k->root, k->path);
    if (index >= names.size()) return win32error::NoMoreItems;
    name = names[index];
    return win32error::Success;
}

long RecordingRegistry::enumValue(KeyHandle key, std::uint32_t index, std::string& name) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    if (k->real) return real_.enumValue(k->real, index, name);
    const std::vector<std::string> names = valueNames(k->root, k->path);
    if (index >= names.size()) return win32error::NoMoreItems;
    name = names[index];
    return win32error::Success;
}

long RecordingRegistry::writeValue(RootKey root, const std::string& path, std::string_view name,
                                   std::optional<Value> value) {
    const std::optional<Value> before = readValue(root, path, name);
    if (mode_ == RecordingMode::DryRun) {
        if (!value && !before) return win32error::FileNotFound;
        KeyState& state = stateOf(*overlay_, root, path);
        const auto same = std::find_if(state.values.begin(), state.values.end(),
                                       [&](const auto& v) { return text::equalsNoCase(v.first, name); });
        if (same == state.values.end()) state.values.emplace_back(std::string(name), value);
        else same->second = value;
    }
    log_.record(ChangeKind::Registry, target(root, path, name), shown(before), shown(value));
    return win32error::Success;
}

long RecordingRegistry::setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                                 std::uint32_t size) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    const Value value{type, std::string(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size)};
    if (mode_ == RecordingMode::PassThrough) {
        const std::optional<Value> before = queryWhole(real_, k->real, name);
        const long result = real_.setValue(k->real, name, type, data, size);
        if (result == win32error::Success) log_.record(ChangeKind::Registry, target(k->root, k->path, name), shown(before), shown(value));
        return result;
    }
    if (k->access != KeyAccess::Full) return win32error::AccessDenied;
    return writeValue(k->root, k->path, name, value);
}

long RecordingRegistry::deleteValue(KeyHandle key, std::string_view name) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    if (mode_ == RecordingMode::PassThrough) {
        const std::optional<Value> before = queryWhole(real_, k->real, name);
        const long result = real_.deleteValue(k->real, name);
        if (result == win32error::Success) log_.record(ChangeKind::Registry, target(k->root, k->path, name), shown(before), std::nullopt);
        return result;
    }
    if (k->access != KeyAccess::Full) return win32error::AccessDenied;
    return writeValue(k->root, k->path, name, std::nullopt);
}

long RecordingRegistry::removeTree(RootKey root, const std::string& path) {
    // Every value of the tree is recorded as deleted, deepest keys first as Windows removes them.
    const std::function<void(const std::string&)> recordKey = [&](const std::string& p) {
        for (const std::string& sub : subkeyNames(root, p)) recordKey(joinPath(p, sub));
        for (const std::string& name : valueNames(root, p))
            log_.record(ChangeKind::Registry, target(root, p, name), shown(readValue(root, p, name)), std::nullopt);
    };
    recordKey(path);
    if (mode_ == RecordingMode::DryRun) {
        const std::string top = overlayKey(root, path);
        std::erase_if(overlay_->keys, [&](const auto& entry) {
            return entry.first == top || entry.first.starts_with(top + "\\");
        });
        KeyState& state = stateOf(*overlay_, root, path);
        state.exists = false;
        state.hidesMachine = true;
    }
    return win32error::Success;
}

long RecordingRegistry::deleteTree(KeyHandle key, std::string_view subKey) {
    const OpenedKey* k = opened(key);
    if (k == nullptr) return win32error::InvalidHandle;
    const std::string path = joinPath(k->path, subKey);
    if (mode_ == RecordingMode::PassThrough) {
        ChangeLog removed;
        RecordingRegistry view(real_, RecordingMode::DryRun, removed);
        (void)view.removeTree(k->root, path);  // only looks at the machine to record it
        const long result = real_.deleteTree(k->real, subKey);
        if (result == win32error::Success)
            for (const RowChanges& row : removed.byRow())
                for (const Change& c : row.changes) log_.record(c.kind, c.target, c.before, c.after);
        return result;
    }
    if (!keyExists(k->root, path)) return win32error::FileNotFound;
    if (k->access != KeyAccess::Full) return win32error::AccessDenied;
    return removeTree(k->root, path);
}

long RecordingRegistry::copyKey(RootKey root, const std::string& from, RootKey destRoot, const std::string& to) {
    for (const std::string& name : valueNames(root, from)) {
        const std::optional<Value> value = readValue(root, from, name);
        if (!value) continue;
        if (mode_ == RecordingMode::DryRun) {
            KeyHandle made;
            if (const long result = createKey(destRoot, to, made); result != win32error::Success) return result;
            (void)closeKey(made);  // one of this layer's own handles
            if (const long result = writeValue(destRoot, to, name, value); result != win32error::Success) return result;
        } else {
            log_.record(ChangeKind::Registry, target(destRoot, to, name), shown(readValue(destRoot, to, name)), shown(value));
        }
    }
    for (const std::string& sub : subkeyNames(root, from)) {
        if (mode_ == RecordingMode::DryRun) {
            KeyHandle made;
            if (const long result = createKey(destRoot, joinPath(to, sub), made); result != win32error::Success) return result;
            (void)closeKey(made);  // one of this layer's own handles
        }
        if (const long result = copyKey(root, joinPath(from, sub), destRoot, joinPath(to, sub)); result != win32error::Success)
            return result;
    }
    return win32error::Success;
}

long RecordingRegistry::copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) {
    const OpenedKey* k = opened(key);
    const OpenedKey* d = opened(dest);
    if (k == nullptr || d == nullptr) return win32error::InvalidHandle;
    const std::string from = joinPath(k->path, subKey);
    if (mode_ == RecordingMode::PassThrough) {
        ChangeLog copied;
        RecordingRegistry view(real_, RecordingMode::PassThrough, copied);
        (void)view.copyKey(k->root, from, d->root, d->path);  // records only, in this mode
        const long result = real_.copyTree(k->real, subKey, d->real);
        if (result == win32error::Success)
            for (const RowChanges& row : copied.byRow())
                for (const Change& c : row.changes) log_.record(c.kind, c.target, c.before, c.after);
        return result;
    }
    if (!keyExists(k->root, from)) return win32error::FileNotFound;
    if (d->access != KeyAccess::Full) return win32error::AccessDenied;
    return copyKey(k->root, from, d->root, d->path);
}

}  // namespace hastelyn::recording
