#include "app/MachineStartup.h"

#include <filesystem>
#include <stdexcept>

#include "tools/machine/MachineImages.h"

namespace hastelyn::app {

std::unique_ptr<sandbox::SandboxPlatform> openMachine() {
    const auto [folder, named] = sandbox::locateMachineFolder();
    const bool made = std::filesystem::exists(folder / "machine.ini");
    // A machine named by the environment is used as it is: a typing error there must not turn
    // into a fresh machine that every later run then changes.
    if (named && folder.empty())
        throw std::runtime_error("環境変数 HASTELYN_MACHINE が空です。マシンのフォルダを指定するか、変数を消して既定のマシンを使ってください。");
    if (named && !made)
        throw std::runtime_error("HASTELYN_MACHINE のマシン \"" + folder.string() +
                                 "\" がありません (machine.ini が見つかりません)。hastelyn-mkmachine で作成してください。");
    if (!made) {
        const std::string problem = images::buildMachine(images::kDefaultImage, folder);
        if (!problem.empty())
            throw std::runtime_error("マシン " + folder.string() + " を作成できませんでした: " + problem);
    }
    return std::make_unique<sandbox::SandboxPlatform>(folder);
}

}  // namespace hastelyn::app
