#include "engine/TweakItem.h"

namespace hastelyn::engine {

ItemList makeOthersItems() { return {}; }

}  // namespace hastelyn::engine
