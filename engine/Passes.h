#pragma once
// The read and apply passes over every item, category by category, rows ① to ⑩.
#include "engine/MachineChanges.h"
#include "engine/Session.h"

namespace hastelyn::engine {

// Ticks every row whose item is in force and sets its state flag; never unticks or clears.
void readPass(Session& session);

// For every enabled row whose tick differs from its flag, performs the row's ticked or unticked
// actions and flips the flag. Each such row is read again first, under the machine's change
// mutex, which is held until its actions are done: a row that another run changed since this
// one read it is left as it is, with the flag and tick of what it reads now (MachineChanges.h).
// An error ends the pass at its row (CommandError propagates): the rows before stay applied,
// that row and the later ones keep their flags. A row one of whose writes the registry refused
// silently (a DWORD, a deletion) did not take: it keeps its flag and is listed as failed, and the
// pass goes on.
PassResult applyPass(Session& session);
// The same into `result`, which keeps what the pass found up to an error that ends it.
void applyPass(Session& session, PassResult& result);

// Unticks every row of the five tweak lists and of the services list, then empties the
// services list. The state table is cleared with the ticks, so that a read pass after a restore
// records exactly what is in force then (a flag left over would make the next accelerate write
// a row the user never changed).
void clearTicks(Session& session);

}  // namespace hastelyn::engine
