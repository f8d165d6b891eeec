#pragma once
// Every Windows facility the program uses, gathered in one place. A backend (the sandbox on
// Linux, the Win32 API on Windows) provides each part; the layers above see only this.
#include "platform/FileSystem.h"
#include "platform/Meters.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/ServiceManager.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/WindowSystem.h"

namespace hastelyn::platform {

struct Platform {
    Registry& registry;
    ProfileFiles& profiles;
    FileSystem& files;
    SystemInfo& system;
    Shell& shell;
    WindowSystem& windows;
    ServiceManager& services;
    Meters& meters;
};

}  // namespace hastelyn::platform
