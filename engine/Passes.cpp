#include "engine/Passes.h"

namespace hastelyn::engine {

void readPass(Session&) {
    // The items of each category join this pass as they are built.
}

}  // namespace hastelyn::engine
