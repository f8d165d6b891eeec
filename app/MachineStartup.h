#pragma once
// The sandbox machine the program runs on: found beside the executable (or where
// HASTELYN_MACHINE says) and made from the default image on first run.
#include <memory>

#include "platform/sandbox/SandboxPlatform.h"

namespace hastelyn::app {

// Opens the machine, making it first when the folder holds none. Throws std::runtime_error
// with a text for the user when that fails.
std::unique_ptr<sandbox::SandboxPlatform> openMachine();

}  // namespace hastelyn::app
