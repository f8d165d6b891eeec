#pragma once
// The start-up steps that need no window, in the program's order: the edition and the rows it
// switches off, the system paths, the environment checks, the read pass and the locked items.
// The windows run the same steps with their own ones in between.
#include "engine/Session.h"

namespace hastelyn::engine {

// For a program without windows: reads everything, writes nothing but what path detection
// records, and leaves locked and disabled rows disabled.
void startWithoutWindows(Session& session);

}  // namespace hastelyn::engine
