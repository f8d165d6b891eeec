#include "foundation/OpenKey.h"

#include "foundation/RegistryValues.h"

namespace hastelyn::foundation {

OpenKey::OpenKey(platform::Registry& registry, platform::RootKey root, std::string_view keyPath,
                 platform::KeyAccess access)
    : registry_(registry) {
    error_ = registry_.openKey(root, apiKeyPath(keyPath), access, handle_);
    if (error_ != platform::win32error::Success) handle_ = {};
}

OpenKey::OpenKey(platform::Registry& registry, platform::RootKey root, std::string_view keyPath, CreateTag)
    : registry_(registry) {
    error_ = registry_.createKey(root, apiKeyPath(keyPath), handle_);
    if (error_ != platform::win32error::Success) handle_ = {};
}

OpenKey::~OpenKey() { close(); }

void OpenKey::close() {
    // Closing a key that opened changes nothing of the registry: its result tells nothing.
    if (handle_) (void)registry_.closeKey(handle_);
    handle_ = {};
}

}  // namespace hastelyn::foundation
