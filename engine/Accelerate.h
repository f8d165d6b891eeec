#pragma once
// The accelerate command: confirmation, automatic restore point, the apply pass, and the
// message that says what happened.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::engine {

struct AccelerateOutcome {
    bool confirmed = false;     // the user said Yes to the first question
    bool changed = false;       // at least one state flag flipped
    std::string restorePoint;   // the automatic restore point kept (when nothing changed, only
                                // one that could not be deleted), or empty
    // Rows the user had changed that another run changed first, by state index: each was left
    // as it is and now shows what it reads (MachineChanges.h). They count as no change.
    std::vector<std::size_t> left;
};

// Runs the whole command. The rows are read again first when another run changed the machine
// since this session read it. Errors of the pass propagate (CommandError) after the restore
// point was written. When something changed, `changed` runs before the final question or message
// (the windows recompute their counts there).
AccelerateOutcome BtnAccelerateClick(Session& session, const std::function<void()>& changed = {});

}  // namespace hastelyn::engine
