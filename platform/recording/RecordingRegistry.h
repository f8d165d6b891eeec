#pragma once
// The registry behind the recording: every value written, deleted, or copied or removed with
// its key, recorded with what it held before; in a dry run the writes land in an overlay that
// the run's own reads see, and the machine's registry is only read.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::recording {

class RecordingRegistry : public platform::Registry {
public:
    RecordingRegistry(platform::Registry& real, RecordingMode mode, ChangeLog& log);
    ~RecordingRegistry() override;

    [[nodiscard]] long openKey(platform::RootKey root, std::string_view subKey, platform::KeyAccess access,
                               platform::KeyHandle& out) override;
    [[nodiscard]] long createKey(platform::RootKey root, std::string_view subKey, platform::KeyHandle& out) override;
    [[nodiscard]] long closeKey(platform::KeyHandle key) override;
    [[nodiscard]] long queryValue(platform::KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* size) override;
    [[nodiscard]] long setValue(platform::KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) override;
    [[nodiscard]] long deleteValue(platform::KeyHandle key, std::string_view name) override;
    [[nodiscard]] long enumKey(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    [[nodiscard]] long enumValue(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    [[nodiscard]] long deleteTree(platform::KeyHandle key, std::string_view subKey) override;
    [[nodiscard]] long copyTree(platform::KeyHandle key, std::string_view subKey, platform::KeyHandle dest) override;
    // The machine's registry is read in batches as the run's own.
    void beginBatch() override { real_.beginBatch(); }
    void endBatch() override { real_.endBatch(); }

    struct Value {
        std::uint32_t type = 0;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    struct Overlay;

private:
    struct OpenedKey {
        platform::RootKey root;
        std::string path;  // without leading or trailing backslash
        platform::KeyAccess access;
        platform::KeyHandle real;  // pass-through, and the performance data root in a dry run
    };
    const OpenedKey* opened(platform::KeyHandle key) const;
    platform::KeyHandle remember(OpenedKey key);

    // The registry as this run sees it: the machine's, with the overlay over it.
    bool keyExists(platform::RootKey root, const std::string& path);
    std::optional<Value> readValue(platform::RootKey root, const std::string& path, std::string_view name);
    std::vector<std::string> valueNames(platform::RootKey root, const std::string& path);
    std::vector<std::string> subkeyNames(platform::RootKey root, const std::string& path);

    // One value written (nullopt: deleted) in the run's view and, in pass-through, on the machine.
    long writeValue(platform::RootKey root, const std::string& path, std::string_view name, std::optional<Value> value);
    long removeTree(platform::RootKey root, const std::string& path);
    long copyKey(platform::RootKey root, const std::string& from, platform::RootKey destRoot, const std::string& to);
    std::string target(platform::RootKey root, const std::string& path, std::string_view name) const;

    platform::Registry& real_;
    RecordingMode mode_;
    ChangeLog& log_;
    std::unique_ptr<Overlay> overlay_;
    std::map<std::uint64_t, OpenedKey> handles_;
    std::uint64_t nextHandle_ = 0x5000;
};

}  // namespace hastelyn::recording
