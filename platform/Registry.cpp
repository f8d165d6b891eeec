#include "platform/Registry.h"

#include <cstring>

namespace hastelyn::platform {

std::string_view rootKeyName(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot: return "HKEY_CLASSES_ROOT";
        case RootKey::CurrentUser: return "HKEY_CURRENT_USER";
        case RootKey::LocalMachine: return "HKEY_LOCAL_MACHINE";
        case RootKey::Users: return "HKEY_USERS";
        case RootKey::CurrentConfig: return "HKEY_CURRENT_CONFIG";
        case RootKey::DynData: return "HKEY_DYN_DATA";
        case RootKey::PerformanceData: return "HKEY_PERFORMANCE_DATA";
    }
    return "";
}

long copyValueData(std::uint32_t valueType, std::string_view bytes, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* size) {
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (type) *type = valueType;
    if (!data) {
        if (size) *size = needed;
        return win32error::Success;
    }
    if (*size < needed) {
        *size = needed;
        return win32error::MoreData;
    }
    if (needed > 0) std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return win32error::Success;
}

}  // namespace hastelyn::platform
