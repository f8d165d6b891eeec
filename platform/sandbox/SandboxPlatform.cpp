#include "platform/sandbox/SandboxPlatform.h"

#include "platform/sandbox/SandboxCommands.h"

namespace hastelyn::sandbox {

SandboxPlatform::SandboxPlatform(std::filesystem::path machineFolder)
    : machine_(std::move(machineFolder)),
      registry_(machine_.folder() / "registry", machine_.restrictedAccount()),
      liveRegistry_(registry_, machine_),
      profiles_(machine_),
      files_(machine_),
      system_(machine_),
      shell_(machine_),
      windows_(machine_),
      services_(machine_, registry_),
      meters_(machine_),
      platform_{liveRegistry_, profiles_, files_, system_, shell_, windows_, services_, meters_} {
    machine_.removeLeftoverTempFiles();
    installSandboxCommands(machine_, registry_, shell_, windows_, services_);
}

}  // namespace hastelyn::sandbox
