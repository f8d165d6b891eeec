#include "engine/EnvironmentChecks.h"

#include "engine/RegistryPlaces.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

using platform::RootKey;

constexpr std::size_t kSystem = 0;
constexpr std::size_t kOthers = 4;

void disable(Session& session, std::size_t category, std::size_t rowIndex) {
    session.model.tweakList(category).rows[rowIndex].enabled = false;
}

}  // namespace

void runEnvironmentChecks(Session& session) {
    // System ②: "DisableLSC" = "true" switches it off, "false" keeps it; anything else asks the
    // graphics adapter and leaves an empty value so that the test runs again next time.
    const std::string lsc = session.settings.general("DisableLSC");
    if (lsc == "true") {
        disable(session, kSystem, 1);
    } else if (lsc != "false") {
        const std::string product = session.registry.ReadRegValue(
            RootKey::LocalMachine, "\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC", "Product Name", RegType::String);
        if (text::containsNoCase(product, "RADEON")) {
            disable(session, kSystem, 1);
            session.settings.write(foundation::kGeneralSection, "DisableLSC", "");
        }
    }

    // Others ①: the media player 7 or 8 must be there.
    const char* player = "\\SOFTWARE\\Microsoft\\MediaPlayer\\";
    if (!session.registry.RegKeyOrValueExists(RootKey::LocalMachine, player, "8.0", Exists::Key) &&
        !session.registry.RegKeyOrValueExists(RootKey::LocalMachine, player, "7.0", Exists::Key))
        disable(session, kOthers, 0);

    // Others ⑩: the messenger extension, active or renamed aside.
    if (!session.registry.RegKeyOrValueExists(RootKey::LocalMachine, kBrowserExtensionsKey, kMessengerButton, Exists::Key) &&
        !session.registry.RegKeyOrValueExists(RootKey::LocalMachine, kBrowserExtensionsKey, kMessengerButtonAside,
                                              Exists::Key))
        disable(session, kOthers, 9);
}

}  // namespace hastelyn::engine
