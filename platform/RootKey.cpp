#include "platform/Registry.h"

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

}  // namespace hastelyn::platform
