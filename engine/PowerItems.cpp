#include "engine/TweakItem.h"

namespace hastelyn::engine {

ItemList makePowerItems() { return {}; }

}  // namespace hastelyn::engine
