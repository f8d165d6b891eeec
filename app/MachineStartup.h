#pragma once
// The sandbox machine the program runs on: the one HASTELYN_MACHINE names, which must exist, or
// the one beside the executable, made from the default image on first run.
#include <memory>

#include "platform/sandbox/SandboxPlatform.h"

namespace hastelyn::app {

// Opens the machine, making the default one first when its folder holds none. Throws
// std::runtime_error with a text for the user (naming the folder) when a named machine is
// missing or the variable is empty, or when the default machine cannot be made.
std::unique_ptr<sandbox::SandboxPlatform> openMachine();

}  // namespace hastelyn::app
