#pragma once
// Everything the program keeps for its whole run, without any window: the machine it works on,
// the registry and profile layer, the settings file, the edition and the system paths found at
// start, the items, and the spoken guidance and dialogs that the windows (or a command line)
// provide.
#include <functional>
#include <string>
#include <string_view>

#include "engine/ItemModel.h"
#include "foundation/Edition.h"
#include "foundation/MessageDialogs.h"
#include "foundation/ProfileValues.h"
#include "foundation/RegistryValues.h"
#include "foundation/Settings.h"
#include "foundation/Speech.h"
#include "foundation/SystemPaths.h"
#include "platform/Platform.h"

namespace hastelyn::engine {

using foundation::Exists;
using foundation::RegType;

struct Session {
    // Spoken texts go to the clipboard, and to the synthesizer when there is one and
    // "SpeechOutput" asks for it.
    Session(platform::Platform& platform, foundation::Clipboard& clipboard, foundation::DialogProvider& dialogs,
            foundation::SpeechSynthesizer* synthesizer = nullptr);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    platform::Platform& platform;
    foundation::RegistryValues registry;
    foundation::ProfileValues profiles;
    foundation::Settings settings;
    foundation::Speech speech;
    foundation::MessageDialogs dialogs;
    foundation::EditionCodes codes;    // found at start
    foundation::SystemPaths paths;     // found at start
    ItemModel model;
    // The machine's change stamp as it was when this session last read the rows
    // (MachineChanges.h).
    std::string machineStamp;
    // Lets the windows process pending events while a started command is awaited.
    std::function<void()> processEvents = [] {};
    // Told the row whose changes follow, as the passes and the restore reach it: its locked-items
    // key ("System3", "Service:" and the display name, "PCInfo"), "" once they are past the rows.
    // A report of what a run changed groups the writes by it.
    std::function<void(std::string_view row)> applyingRow = [](std::string_view) {};
};

}  // namespace hastelyn::engine
