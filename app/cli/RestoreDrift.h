#pragma once
// Where the machine differs from what a restore would leave: the restore run as a dry run, every
// value whose end state differs from the machine's now, and every service it would start or
// stop that is not in that state already. verify prints them; restore runs only when there are
// any, so that a second run with the same answers finds nothing to do.
#include <optional>
#include <string>
#include <vector>

#include "engine/RestorePoint.h"
#include "engine/Session.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::cli {

struct Difference {
    std::string row;
    std::string target;
    std::optional<std::string> expected;
    std::optional<std::string> actual;
};

// The differences of a dry run the session has made (its changes recorded in the log).
std::vector<Difference> differences(engine::Session& session, const recording::ChangeLog& log);

// The restore of the file run as a dry run on a session of its own over the machine, its
// questions after the first answered Yes only with `yesAll`, as the restore would answer them;
// nothing is shown or said. `restored` gets what the restore would say (the services it leaves).
std::vector<Difference> restoreDrift(platform::Platform& machine, const std::string& file, bool yesAll,
                                     const engine::RestoreOptions& options, engine::RestoreResult& restored);

}  // namespace hastelyn::cli
