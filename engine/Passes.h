#pragma once
// The read and apply passes over every item.
#include "engine/Session.h"

namespace hastelyn::engine {

// Ticks every row whose item is in force and sets its state flag; never unticks or clears.
void readPass(Session& session);

}  // namespace hastelyn::engine
