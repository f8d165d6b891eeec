#pragma once
// Restarting the Windows shell so that the notification area forgets its past items
// (Desktop ⑨, when applied and when restored).
#include <cstdint>

#include "engine/Session.h"

namespace hastelyn::engine {

// How long the shell may take to go after it was told to quit, in 10 ms steps (5 s): a shell
// that never ends must not hang the program.
inline constexpr std::uint32_t kShellQuitPolls = 500;

// Asks "Explorer.exeを再起動しますか？" (no spoken text) and restarts the shell on Yes.
void askShellRestart(Session& session);

// Posts WM_QUIT to the "Progman" window, waits while a "Progman" window exists (10 ms steps, at
// most maxPolls of them), then starts "explorer" with a shown window, without waiting.
// The new shell is started even when the old window outlived the wait: an extra explorer window
// is better than a desktop left without a shell.
void restartShell(Session& session, std::uint32_t maxPolls = kShellQuitPolls);

}  // namespace hastelyn::engine
