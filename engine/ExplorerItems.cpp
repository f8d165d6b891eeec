#include "engine/TweakItem.h"

namespace hastelyn::engine {

ItemList makeExplorerItems() { return {}; }

}  // namespace hastelyn::engine
