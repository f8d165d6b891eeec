#pragma once
// The registry of a sandbox machine: one hive file per root in the machine's registry folder
// (registry/HKEY_LOCAL_MACHINE.reg and so on), kept in memory once read.
//
// Several processes may use the same machine. Opening or creating a key, and every change,
// first looks whether the hive file changed on disk (another process saved it) and reads it
// again if so. Every change is made under an exclusive flock on registry/.lock, from that look
// to the save, so that two processes changing one hive never lose each other's changes; a
// hive is read again under a shared one.
//
// A batch (beginBatch to endBatch) holds that exclusive lock throughout: nobody else can change
// a hive meanwhile, so each hive file is looked at once in the batch, at its first use, and
// then taken as this registry holds it.
//
// A change is appended to the hive's journal (HiveJournal.h), costing about the size of what
// changed. The hive file itself is written whole, atomically (a FileReplacer: the file swapped
// out stays in the registry folder to be written over by the next save), when the journal has
// grown past the size of the hive file (so that the work stays linear in what was written),
// for an import, and when the registry is done with the machine: at rest,
// the hive files hold everything. Keys keep their value lines as text between saves, so a save
// makes text only for keys that changed. Reads through a key that is already open see the hive
// as it was when last looked at.
//
// Where this differs from Windows:
// - deleteTree with an empty subKey is refused (InvalidParameter) instead of deleting the key
//   itself, so no caller can empty a root by mistake.
// - A key or value name holding a line break is refused (InvalidParameter): the hive file
//   could not keep it. Empty names inside a path ("a\\b", leading or trailing backslashes)
//   are skipped.
// - String data that is not UTF-8 has its invalid bytes replaced by '?'. (Like Windows, a
//   REG_SZ or REG_EXPAND_SZ set without its terminating NUL is kept without it.)
// - In a restricted account every key of HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT is
//   read-only.
// - A file that cannot be saved gives AccessDenied (WriteProtect on a read-only file system);
//   the hive is then read again from its file, so memory never holds what the file lacks.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"
#include "platform/sandbox/registry/HiveJournal.h"
#include "platform/sandbox/registry/HiveKey.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileEncoding.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

class SandboxRegistry final : public platform::Registry {
public:
    SandboxRegistry(std::filesystem::path registryFolder, bool restrictedAccount);
    ~SandboxRegistry() override;

    long openKey(platform::RootKey root, std::string_view subKey, platform::KeyAccess access,
                 platform::KeyHandle& out) override;
    long createKey(platform::RootKey root, std::string_view subKey, platform::KeyHandle& out) override;
    long closeKey(platform::KeyHandle key) override;
    long queryValue(platform::KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long setValue(platform::KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteValue(platform::KeyHandle key, std::string_view name) override;
    long enumKey(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long deleteTree(platform::KeyHandle key, std::string_view subKey) override;
    long copyTree(platform::KeyHandle key, std::string_view subKey, platform::KeyHandle dest) override;
    void beginBatch() override;
    void endBatch() override;

    // "Regedit /E": the regedit file text of subKey of root and everything below it.
    long exportKey(platform::RootKey root, std::string_view subKey, std::string& fileText);
    // "Regedit /s": applies a regedit file to every root it names and saves those hives. In a
    // restricted account the parts for HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT are left out
    // and the result is AccessDenied.
    long importFile(std::string_view fileBytes);

    // For the sandbox's own parts (services, commands): the key subKey of root as the hive holds
    // it now (read again first when its file changed, as openKey does), or null when there is
    // none. Valid until the next call of this registry; no handle is made.
    const HiveKey* currentKey(platform::RootKey root, std::string_view subKey);

    // Keys open now (opened or created and not closed yet).
    std::size_t openKeyCount() const { return handles_.size(); }
    // Times a hive file was written whole.
    std::uint64_t hiveWrites() const { return hiveWrites_; }
    // Times a hive file and its journal were looked at for another process's changes.
    std::uint64_t diskLooks() const { return diskLooks_; }

private:
    struct Hive {
        std::unique_ptr<HiveKey> root;  // null until read
        FileStamp stamp;
        std::uint64_t loads = 0;       // times read from the file
        std::uint64_t generation = 0;  // changes whenever keys may have gone (a delete, a read)
        std::uint64_t version = 0;     // changes whenever the set of keys changes
        std::size_t textSize = 0;      // of the file last written, to reserve room for the next
        FileEncoding encoding = FileEncoding::Ansi;  // of the file as read, kept when written
        std::unique_ptr<HiveJournal> journal;
        bool journaled = false;  // this registry appended to the journal since the file was written
        bool lookedInBatch = false;  // the file was looked at in the batch held now
    };
    // The lock held for one change (nothing more inside a batch, which holds it already);
    // while it is held, reads take no lock of their own.
    class ChangeLock {
    public:
        explicit ChangeLock(SandboxRegistry& registry);
        ~ChangeLock() {
            if (lock_) held_ = false;
        }
        ChangeLock(const ChangeLock&) = delete;
        ChangeLock& operator=(const ChangeLock&) = delete;
        bool took() const { return lock_ && lock_->held(); }

    private:
        bool& held_;
        std::optional<FileLock> lock_;
    };
    struct OpenKey {
        platform::RootKey root = platform::RootKey::CurrentUser;
        std::vector<std::string> path;
        platform::KeyAccess access = platform::KeyAccess::Query;
        std::uint64_t serial = 0;
        std::uint64_t loads = 0;
        std::uint64_t generation = 0;
        HiveKey* node = nullptr;
        bool deleted = false;
        // Where the last enumKey stopped, so enumerating all subkeys stays linear.
        std::uint64_t enumVersion = 0;
        std::uint32_t enumIndex = 0;
        HiveKey::Children::const_iterator enumAt{};
        bool enumValid = false;
    };

    bool readOnly(platform::RootKey root) const;
    std::filesystem::path lockPath() const { return folder_ / ".lock"; }
    Hive& hive(platform::RootKey root, bool lookAtDisk);
    void load(platform::RootKey root, Hive& h);
    // Writes the whole hive to its file; the journal then goes.
    long save(platform::RootKey root);
    // Records one change made in memory: appended to the journal, or the whole hive saved.
    long commit(platform::RootKey root, const std::string& record);
    long failedWrite(Hive& h, int error);
    // The key behind a handle (lookAtDisk before a change), or an error.
    long resolve(platform::KeyHandle key, bool lookAtDisk, OpenKey*& open, HiveKey*& node);
    platform::KeyHandle addHandle(platform::RootKey root, std::vector<std::string> path, platform::KeyAccess access,
                                  const Hive& h, HiveKey* node);
    static HiveKey* walk(HiveKey& from, const std::vector<std::string>& path);

    std::filesystem::path folder_;
    bool restricted_;
    std::filesystem::path paths_[7];
    Hive hives_[7];
    std::unordered_map<std::uint64_t, OpenKey> handles_;
    std::uint64_t nextHandle_ = 1;
    FileReplacer files_;
    bool locked_ = false;  // a ChangeLock or a batch holds the lock
    int batchDepth_ = 0;
    std::optional<ChangeLock> batch_;  // while a batch that got the lock is open
    std::uint64_t hiveWrites_ = 0;
    std::uint64_t diskLooks_ = 0;
};

}  // namespace hastelyn::sandbox
