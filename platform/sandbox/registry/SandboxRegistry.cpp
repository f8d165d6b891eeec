#include "platform/sandbox/registry/SandboxRegistry.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/Win32Types.h"
#include "platform/sandbox/registry/HiveFileReader.h"
#include "platform/sandbox/registry/HiveFileWriter.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/registry/RegistryText.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"

namespace hastelyn::sandbox {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
namespace win32error = platform::win32error;
namespace regtype = platform::regtype;

namespace {

constexpr RootKey kRoots[] = {RootKey::ClassesRoot,   RootKey::CurrentUser, RootKey::LocalMachine,
                              RootKey::Users,         RootKey::CurrentConfig, RootKey::DynData,
                              RootKey::PerformanceData};

std::size_t slot(RootKey root) { return static_cast<std::size_t>(root); }

}  // namespace

SandboxRegistry::SandboxRegistry(std::filesystem::path registryFolder, bool restrictedAccount)
    : folder_(std::move(registryFolder)), restricted_(restrictedAccount) {
    for (const RootKey root : kRoots) {
        const std::string name(platform::rootKeyName(root));
        paths_[slot(root)] = folder_ / (name + ".reg");
        hives_[slot(root)].journal = std::make_unique<HiveJournal>(folder_ / (name + ".journal"));
    }
}

SandboxRegistry::~SandboxRegistry() {
    // Done with the machine: what this registry journaled goes into the hive files.
    for (const RootKey root : kRoots) {
        if (!hives_[slot(root)].journaled) continue;
        const ChangeLock lock(*this);
        const Hive& h = hive(root, true);
        if (h.root && h.journal->size() > 0) save(root);
    }
}

SandboxRegistry::ChangeLock::ChangeLock(SandboxRegistry& registry) : held_(registry.locked_) {
    if (held_) return;  // inside a batch
    lock_.emplace(registry.lockPath(), true);
    if (!lock_->held()) {  // the registry folder is made by the first change
        lock_.reset();
        std::error_code ignored;
        std::filesystem::create_directories(registry.folder_, ignored);
        lock_.emplace(registry.lockPath(), true);
    }
    held_ = true;
}

void SandboxRegistry::beginBatch() {
    if (batchDepth_++ > 0 || locked_) return;
    for (Hive& h : hives_) h.lookedInBatch = false;
    batch_.emplace(*this);
    if (!batch_->took()) batch_.reset();  // no registry folder to lock: each call looks for itself
}

void SandboxRegistry::endBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    batch_.reset();
}

bool SandboxRegistry::readOnly(RootKey root) const {
    return restricted_ && (root == RootKey::LocalMachine || root == RootKey::ClassesRoot);
}

SandboxRegistry::Hive& SandboxRegistry::hive(RootKey root, bool lookAtDisk) {
    Hive& h = hives_[slot(root)];
    const std::filesystem::path& file = paths_[slot(root)];
    if (h.root && (!lookAtDisk || (batch_ && h.lookedInBatch))) return h;
    // Within a batch nothing changes the files but this registry, which keeps their stamps.
    h.lookedInBatch = batch_.has_value();
    ++diskLooks_;
    if (h.root && stampOf(file) == h.stamp && !h.journal->changedOnDisk()) return h;
    // Another process changed the hive: read under the lock, so that nobody writes the file or
    // the journal meanwhile.
    std::optional<FileLock> lock;
    if (!locked_) lock.emplace(lockPath(), false, FileLock::Mode::Shared);
    if (h.root && stampOf(file) == h.stamp) {
        bool applied = false;
        if (h.journal->read(h.stamp, *h.root, &applied)) {
            if (applied) {
                ++h.generation;
                ++h.version;
            }
            return h;
        }
    }
    load(root, h);
    return h;
}

void SandboxRegistry::load(RootKey root, Hive& h) {
    const std::filesystem::path& file = paths_[slot(root)];
    // The stamp first: should the file change while it is read, the next look sees it.
    h.stamp = stampOf(file);
    const auto bytes = h.stamp.exists ? readReplacedFile(file) : std::nullopt;
    h.root = bytes ? parseHiveFile(*bytes, root) : std::make_unique<HiveKey>();
    h.encoding = bytes ? encodingOf(*bytes) : FileEncoding::Ansi;
    h.journal->forget();
    bool applied = false;
    h.journal->read(h.stamp, *h.root, &applied);
    ++h.loads;
    ++h.generation;
    ++h.version;
}

long SandboxRegistry::save(RootKey root) {
    Hive& h = hives_[slot(root)];
    const std::filesystem::path& file = paths_[slot(root)];
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    // The stamp of the file as written, so that a save by another process right after this one
    // still shows as a change.
    FileStamp written;
    std::string text = writeHiveFile(*h.root, platform::rootKeyName(root), h.textSize);
    h.textSize = text.size();
    if (h.encoding != FileEncoding::Ansi) text = encodeTextFile(text, h.encoding);  // as it was read
    if (!files_.write(file, text, written)) return failedWrite(h, errno);
    ++hiveWrites_;
    h.stamp = written;
    // The journal followed the file replaced: it counts for nothing now.
    h.journal->remove();
    h.journaled = false;
    return win32error::Success;
}

long SandboxRegistry::failedWrite(Hive& h, int error) {
    h.root.reset();  // read the file again on next use: memory keeps only what the file holds
    return error == EROFS ? win32error::WriteProtect : win32error::AccessDenied;
}

long SandboxRegistry::commit(RootKey root, const std::string& record) {
    Hive& h = hives_[slot(root)];
    // Once the journal outgrows the hive file, the file is written afresh: each byte changed is
    // written a bounded number of times.
    if (h.journal->size() + record.size() > HiveJournal::sizeLimit(h.stamp)) return save(root);
    if (!h.journal->append(h.stamp, record)) return failedWrite(h, errno);
    h.journaled = true;
    return win32error::Success;
}

HiveKey* SandboxRegistry::walk(HiveKey& from, const std::vector<std::string>& path) {
    HiveKey* key = &from;
    for (const std::string& name : path) {
        key = key->findChild(name);
        if (!key) return nullptr;
    }
    return key;
}

long SandboxRegistry::resolve(KeyHandle key, bool lookAtDisk, OpenKey*& open, HiveKey*& node) {
    const auto it = handles_.find(key.value);
    if (it == handles_.end()) return win32error::InvalidHandle;
    OpenKey& o = it->second;
    open = &o;
    if (o.deleted) return win32error::KeyDeleted;
    const Hive& h = hive(o.root, lookAtDisk);
    if (o.generation != h.generation) {
        HiveKey* found = walk(*h.root, o.path);
        // Within one reading of the file a key made again under the same name is another key;
        // after another process saved the hive, the name is all there is to go by.
        if (!found || (o.loads == h.loads && found->serial() != o.serial)) {
            o.deleted = true;
            return win32error::KeyDeleted;
        }
        o.node = found;
        o.serial = found->serial();
        o.loads = h.loads;
        o.generation = h.generation;
    }
    node = o.node;
    return win32error::Success;
}

KeyHandle SandboxRegistry::addHandle(RootKey root, std::vector<std::string> path, KeyAccess access, const Hive& h,
                                     HiveKey* node) {
    OpenKey o;
    o.root = root;
    o.path = std::move(path);
    o.access = access;
    o.serial = node->serial();
    o.loads = h.loads;
    o.generation = h.generation;
    o.node = node;
    const std::uint64_t id = nextHandle_++;
    handles_.emplace(id, std::move(o));
    return KeyHandle{id};
}

long SandboxRegistry::openKey(RootKey root, std::string_view subKey, KeyAccess access, KeyHandle& out) {
    out = {};
    std::vector<std::string> path;
    if (!splitKeyPath(subKey, path)) return win32error::FileNotFound;  // no such key can exist
    Hive& h = hive(root, true);
    HiveKey* node = walk(*h.root, path);
    if (!node) return win32error::FileNotFound;
    if (access == KeyAccess::Full && readOnly(root)) return win32error::AccessDenied;
    out = addHandle(root, std::move(path), access, h, node);
    return win32error::Success;
}

const HiveKey* SandboxRegistry::currentKey(RootKey root, std::string_view subKey) {
    // Walked name by name, without a list of the names.
    const HiveKey* key = hive(root, true).root.get();
    const bool found = forEachKeyName(subKey, [&key](std::string_view name) {
        key = key->findChild(name);
        return key != nullptr;
    });
    return found ? key : nullptr;
}

long SandboxRegistry::createKey(RootKey root, std::string_view subKey, KeyHandle& out) {
    out = {};
    if (readOnly(root)) return win32error::AccessDenied;
    std::vector<std::string> path;
    if (!splitKeyPath(subKey, path)) return win32error::InvalidParameter;
    const ChangeLock lock(*this);
    Hive& h = hive(root, true);
    HiveKey* node = h.root.get();
    bool madeAny = false;
    for (const std::string& name : path) {
        bool made = false;
        node = &node->child(name, &made);
        madeAny = madeAny || made;
    }
    if (madeAny) {
        ++h.version;
        if (const long result = commit(root, HiveJournal::keyRecord(path)); result != win32error::Success)
            return result;
    }
    out = addHandle(root, std::move(path), KeyAccess::Full, h, node);
    return win32error::Success;
}

long SandboxRegistry::closeKey(KeyHandle key) {
    return handles_.erase(key.value) == 1 ? win32error::Success : win32error::InvalidHandle;
}

long SandboxRegistry::queryValue(KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) {
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, false, open, node); result != win32error::Success) return result;
    if (data && !size) return win32error::InvalidParameter;
    const HiveValue* value = node->findValue(cleanValueName(name));
    if (!value) return win32error::FileNotFound;
    return platform::copyValueData(value->type, value->data, type, data, size);
}

long SandboxRegistry::setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) {
    const ChangeLock lock(*this);
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, true, open, node); result != win32error::Success) return result;
    if (open->access != KeyAccess::Full) return win32error::AccessDenied;
    if (!data && size > 0) return win32error::InvalidParameter;
    const std::string valueName = cleanValueName(name);
    if (hasLineBreak(valueName)) return win32error::InvalidParameter;
    std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    // String data is kept as given, terminating NULs or none, as RegQueryValueExA gives it back.
    if (type == regtype::Sz || type == regtype::ExpandSz || type == regtype::MultiSz) bytes = replaceInvalidUtf8(bytes);
    if (!node->setValue(valueName, type, bytes)) return win32error::Success;
    return commit(open->root, HiveJournal::setRecord(open->path, valueName, type, bytes));
}

long SandboxRegistry::deleteValue(KeyHandle key, std::string_view name) {
    const ChangeLock lock(*this);
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, true, open, node); result != win32error::Success) return result;
    if (open->access != KeyAccess::Full) return win32error::AccessDenied;
    const std::string valueName = cleanValueName(name);
    if (!node->removeValue(valueName)) return win32error::FileNotFound;
    return commit(open->root, HiveJournal::deleteValueRecord(open->path, valueName));
}

long SandboxRegistry::enumKey(KeyHandle key, std::uint32_t index, std::string& name) {
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, false, open, node); result != win32error::Success) return result;
    const HiveKey::Children& children = node->children();
    if (index >= children.size()) return win32error::NoMoreItems;
    const std::uint64_t version = hives_[slot(open->root)].version;
    const bool resume = open->enumValid && open->enumVersion == version &&
                        (index == open->enumIndex || index == open->enumIndex + 1);
    if (!resume)
        open->enumAt = std::next(children.begin(), index);
    else if (index == open->enumIndex + 1)
        ++open->enumAt;
    open->enumValid = true;
    open->enumVersion = version;
    open->enumIndex = index;
    name = open->enumAt->first;
    return win32error::Success;
}

long SandboxRegistry::enumValue(KeyHandle key, std::uint32_t index, std::string& name) {
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, false, open, node); result != win32error::Success) return result;
    const HiveValue* value = node->valueAt(index);
    if (!value) return win32error::NoMoreItems;
    name = value->name;
    return win32error::Success;
}

long SandboxRegistry::deleteTree(KeyHandle key, std::string_view subKey) {
    const ChangeLock lock(*this);
    OpenKey* open = nullptr;
    HiveKey* node = nullptr;
    if (const long result = resolve(key, true, open, node); result != win32error::Success) return result;
    if (open->access != KeyAccess::Full) return win32error::AccessDenied;
    std::vector<std::string> path;
    if (!splitKeyPath(subKey, path)) return win32error::FileNotFound;
    if (path.empty()) return win32error::InvalidParameter;
    std::vector<std::string> deleted = open->path;
    deleted.insert(deleted.end(), path.begin(), path.end());
    const std::string last = std::move(path.back());
    path.pop_back();
    HiveKey* parent = walk(*node, path);
    if (!parent || !parent->removeChild(last)) return win32error::FileNotFound;
    Hive& h = hives_[slot(open->root)];
    ++h.generation;
    ++h.version;
    return commit(open->root, HiveJournal::deleteTreeRecord(deleted));
}

long SandboxRegistry::copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) {
    const auto from = handles_.find(key.value);
    const auto to = handles_.find(dest.value);
    if (from == handles_.end() || to == handles_.end()) return win32error::InvalidHandle;
    const ChangeLock lock(*this);
    // Both hives are brought up to date before either key is looked up, so that reading one
    // file again cannot pull the other key away.
    hive(from->second.root, true);
    hive(to->second.root, true);
    OpenKey* source = nullptr;
    OpenKey* target = nullptr;
    HiveKey* sourceNode = nullptr;
    HiveKey* targetNode = nullptr;
    if (const long result = resolve(key, false, source, sourceNode); result != win32error::Success) return result;
    if (const long result = resolve(dest, false, target, targetNode); result != win32error::Success) return result;
    if (target->access != KeyAccess::Full) return win32error::AccessDenied;
    std::vector<std::string> path;
    if (!splitKeyPath(subKey, path)) return win32error::FileNotFound;
    const HiveKey* copied = walk(*sourceNode, path);
    if (!copied) return win32error::FileNotFound;
    if (target->path.size() + copied->height() > kMaxKeyDepth) return win32error::InvalidParameter;
    // A snapshot first: the destination may lie inside the copied tree.
    const std::unique_ptr<HiveKey> snapshot = copied->clone();
    targetNode->mergeFrom(*snapshot);
    ++hives_[slot(target->root)].version;
    return commit(target->root, HiveJournal::mergeTreeRecord(target->path, *snapshot));
}

long SandboxRegistry::exportKey(RootKey root, std::string_view subKey, std::string& fileText) {
    std::vector<std::string> path;
    if (!splitKeyPath(subKey, path)) return win32error::FileNotFound;
    const HiveKey* key = hive(root, true).root.get();
    std::string keyPath(platform::rootKeyName(root));
    for (const std::string& name : path) {
        const auto it = key->children().find(name);
        if (it == key->children().end()) return win32error::FileNotFound;
        keyPath += '\\';
        keyPath += it->first;
        key = it->second.get();
    }
    fileText = writeHiveFile(*key, keyPath);
    return win32error::Success;
}

long SandboxRegistry::importFile(std::string_view fileBytes) {
    const ChangeLock lock(*this);
    long result = win32error::Success;
    for (const RootKey root : kRoots) {
        if (readOnly(root)) {
            HiveKey ignored;
            if (applyHiveFile(fileBytes, root, ignored)) result = win32error::AccessDenied;
            continue;
        }
        Hive& h = hive(root, true);
        if (!applyHiveFile(fileBytes, root, *h.root)) continue;
        ++h.generation;
        ++h.version;
        if (const long saved = save(root); saved != win32error::Success && result == win32error::Success)
            result = saved;
    }
    return result;
}

}  // namespace hastelyn::sandbox
