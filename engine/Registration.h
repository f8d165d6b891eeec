#pragma once
// The system's registration tool started for one shell extension library, with its result box
// closed afterwards so that the user is not left with a box per library.
#include <cstdint>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

// The title of the box in which the registration tool reports its result.
inline constexpr std::string_view kRegSvr32BoxTitle = "RegSvr32";
// After the fixed wait, the box is looked for every kRegSvr32PollMs for at most
// kRegSvr32BoxWaitMs, counted in the time asked of the shell's sleep and by the clock, whichever
// runs out first.
inline constexpr std::uint32_t kRegSvr32PollMs = 10;
inline constexpr std::uint32_t kRegSvr32BoxWaitMs = 2000;

// Starts the command line with a shown window and does not wait for it to end; waits
// firstWaitMs, then closes the top-level window titled "RegSvr32" with WM_CLOSE as soon as it
// is up. A command that cannot be started shows no box, so there is nothing to wait for.
void runRegSvr32(Session& session, std::string_view commandLine, std::uint32_t firstWaitMs);

}  // namespace hastelyn::engine
