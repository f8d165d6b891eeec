#pragma once
// The registry as the Windows API offers it (RegOpenKeyExA and friends). Texts are the
// program's UTF-8; string data travels as the bytes the ANSI API would give, NUL included.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace hastelyn::platform {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData, PerformanceData };

// The name Windows gives a root ("HKEY_LOCAL_MACHINE").
std::string_view rootKeyName(RootKey root);

// For backends: how RegQueryValueEx hands over a value of valueType holding bytes. The type goes
// to *type when asked; with data null, the size needed to *size when asked; with a buffer of
// *size bytes too small, MoreData and the size needed in *size; else the bytes and their size.
// (data with size null is the caller's to refuse.)
long copyValueData(std::uint32_t valueType, std::string_view bytes, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* size);

// KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS (KEY_READ) or KEY_ALL_ACCESS.
enum class KeyAccess { Query, Full };

// An open key (HKEY). Zero is no key.
struct KeyHandle {
    std::uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA. subKey is relative to the root, without a leading backslash; an empty
    // subKey opens the root itself.
    [[nodiscard]] virtual long openKey(RootKey root, std::string_view subKey, KeyAccess access, KeyHandle& out) = 0;
    // RegCreateKeyExA with KEY_ALL_ACCESS: opens the key, creating it and missing parents.
    [[nodiscard]] virtual long createKey(RootKey root, std::string_view subKey, KeyHandle& out) = 0;
    // RegCloseKey.
    [[nodiscard]] virtual long closeKey(KeyHandle key) = 0;

    // RegQueryValueExA. type and size may be null. With data null, *size receives the size
    // needed. With a buffer too small, returns MoreData and sets *size to the size needed.
    // name "" is the default (unnamed) value.
    // HKEY_PERFORMANCE_DATA (openKey of RootKey::PerformanceData with an empty subKey gives the
    // root itself, which closeKey leaves usable): the value name lists the objects wanted
    // ("238"), the data is a performance data block made at that call (Meters.h has its
    // layout), and the answer is MoreData without a buffer or with one too small, *size then
    // being no promise: grow the buffer and ask again.
    [[nodiscard]] virtual long queryValue(KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) = 0;
    // RegSetValueExA.
    [[nodiscard]] virtual long setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) = 0;
    // RegDeleteValueA.
    [[nodiscard]] virtual long deleteValue(KeyHandle key, std::string_view name) = 0;
    // RegEnumKeyExA: the name of subkey number index, in the registry's enumeration order;
    // NoMoreItems past the last one.
    [[nodiscard]] virtual long enumKey(KeyHandle key, std::uint32_t index, std::string& name) = 0;
    // RegEnumValueA: the name of value number index; NoMoreItems past the last one.
    [[nodiscard]] virtual long enumValue(KeyHandle key, std::uint32_t index, std::string& name) = 0;
    // SHDeleteKeyA: deletes subKey of key with everything below it.
    [[nodiscard]] virtual long deleteTree(KeyHandle key, std::string_view subKey) = 0;
    // SHCopyKeyA: copies every value and subkey of key\subKey into dest.
    [[nodiscard]] virtual long copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) = 0;

    // A run of calls that belong together (one service changed, a restore point's reading):
    // from beginBatch to the matching endBatch other programs wait to change the registry, so
    // a backend that looks for their changes need look only once. Batches nest. Never hold one
    // while the user or another program is awaited (a question, the machine's change mutex).
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// A batch of the registry for the life of the object (none when not wanted).
class RegistryBatch {
public:
    explicit RegistryBatch(Registry& registry, bool wanted = true) : registry_(wanted ? &registry : nullptr) {
        if (registry_) registry_->beginBatch();
    }
    ~RegistryBatch() {
        if (registry_) registry_->endBatch();
    }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

private:
    Registry* registry_;
};

}  // namespace hastelyn::platform
