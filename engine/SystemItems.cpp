#include "engine/TweakItem.h"

namespace hastelyn::engine {

ItemList makeSystemItems() { return {}; }

}  // namespace hastelyn::engine
