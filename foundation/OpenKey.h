#pragma once
// A registry key held open for one operation and closed when the object goes.
#include <string_view>

#include "platform/Registry.h"

namespace hastelyn::foundation {

class OpenKey {
public:
    enum CreateTag { Create };

    // Opens an existing key; keyPath may carry leading and trailing backslashes.
    OpenKey(platform::Registry& registry, platform::RootKey root, std::string_view keyPath,
            platform::KeyAccess access);
    // Opens the key with full access, creating it and missing parents.
    OpenKey(platform::Registry& registry, platform::RootKey root, std::string_view keyPath, CreateTag);
    ~OpenKey();
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    explicit operator bool() const { return static_cast<bool>(handle_); }
    platform::KeyHandle handle() const { return handle_; }
    // The Windows error of the open, when it failed.
    long error() const { return error_; }
    void close();

private:
    platform::Registry& registry_;
    platform::KeyHandle handle_;
    long error_ = 0;
};

}  // namespace hastelyn::foundation
