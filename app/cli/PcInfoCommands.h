#pragma once
// The PC information commands of the command line: "info" prints the ten fields as the page
// shows them (one line per field, "label<TAB>value", the label without its circled number),
// "set-info" runs the page's change command on the texts given: it prints "changed",
// "cancelled", "unchanged" (the three texts are already so: nothing is asked or written), or
// nothing when a text is refused or empty (the message is on stderr; exit status 1). A field
// locked in the settings is not changed: that is said on stderr and the exit status is 1.
#include <optional>
#include <string>

namespace hastelyn::cli {

// The texts to set; a field not given keeps its current text.
struct PcInfoTexts {
    std::optional<std::string> user;
    std::optional<std::string> organization;
    std::optional<std::string> computer;
};

}  // namespace hastelyn::cli
