#pragma once
// The accelerate command: confirmation, automatic restore point, the apply pass, and the
// message that says what happened.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/MachineChanges.h"
#include "engine/Session.h"

namespace hastelyn::engine {

// The command's question as it is spoken before its box shows.
inline constexpr std::string_view kAccelerateQuestionSpoken =
    "確認のメッセージ。チェックされた項目を高速化しますか？Yキーを押すと 高速化します。Nキーを押すと 画面を閉じます。";

struct AccelerateOutcome {
    bool confirmed = false;     // the user said Yes to the first question
    bool changed = false;       // at least one state flag flipped
    std::string restorePoint;   // the automatic restore point kept (when nothing changed, only
                                // one that could not be deleted), or empty
    // Rows the user had changed that another run changed first, by state index: each was left
    // as it is and now shows what it reads (MachineChanges.h). They count as no change.
    std::vector<std::size_t> left;
    // Rows whose change did not take (a write the registry refused): they keep their flags and
    // count as no change; the final message names them.
    std::vector<FailedRow> failed;
};

struct AccelerateRun {
    // Runs when something changed, before the final question or message (the windows recompute
    // their counts there).
    std::function<void()> changed;
    // Nothing reaches the machine (a recording layer keeps the writes): no final question or
    // message, which would tell of a change or a restore point that were not made.
    bool dryRun = false;
};

// Runs the whole command, filling `outcome` as it goes. The rows are read again first when
// another run changed the machine since this session read it. Errors of the pass propagate
// (CommandError) after the restore point was written; `outcome` then holds what the run had
// come to (the answer, the restore point kept, the rows left or failed before the error).
void accelerate(Session& session, AccelerateOutcome& outcome, const AccelerateRun& run = {});

// The window's button: the same, `changed` running before the final question or message.
AccelerateOutcome BtnAccelerateClick(Session& session, const std::function<void()>& changed = {});

}  // namespace hastelyn::engine
