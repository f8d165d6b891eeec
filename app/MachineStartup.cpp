#include "app/MachineStartup.h"

#include <filesystem>
#include <stdexcept>

#include "tools/machine/MachineImages.h"

namespace hastelyn::app {

std::unique_ptr<sandbox::SandboxPlatform> openMachine() {
    const std::filesystem::path folder = sandbox::locateMachineFolder();
    if (!std::filesystem::exists(folder / "machine.ini")) {
        const std::string problem = images::buildMachine(images::kDefaultImage, folder);
        if (!problem.empty())
            throw std::runtime_error("マシン " + folder.string() + " を作成できませんでした: " + problem);
    }
    return std::make_unique<sandbox::SandboxPlatform>(folder);
}

}  // namespace hastelyn::app
