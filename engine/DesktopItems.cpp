#include "engine/TweakItem.h"

namespace hastelyn::engine {

ItemList makeDesktopItems() { return {}; }

}  // namespace hastelyn::engine
