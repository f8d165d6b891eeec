#pragma once
// hastelyn-cli options: prints the settings the options window edits, and changes them with
// the rules of the window's apply buttons (engine/OptionSettings.h).
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::cli {

struct OptionsRequest {
    bool json = false;
    std::vector<std::pair<std::string, std::string>> settings;  // --set KEY=VALUE, in order
    std::vector<std::pair<std::string, bool>> locks;            // --lock ROW (true), --unlock ROW
};

// The arguments after "options", every value checked before anything is written. The usage
// error's text, or nothing.
std::optional<std::string> parseOptionsArguments(int argc, char** argv, OptionsRequest& request);

// Without changes: one line per key, "KEY<TAB>VALUE" ("NULL" when absent), the general keys
// and then the locked items; or a JSON object (null when absent). With changes: the settings
// written first, then the locks; a row the program locked ("pre_true") is left, said on stderr,
// exit status 1. Then what changed: "changed" or "unchanged" and a line per key whose text
// differs now, "KEY<TAB>BEFORE → AFTER"; or the JSON object with "changed" and "refused".
int runOptions(engine::Session& session, const OptionsRequest& request);

}  // namespace hastelyn::cli
