#pragma once
// Start-up checks that switch off rows the machine cannot use: the memory row on some graphics
// adapters, the media player history without the player, the browser's messenger integration
// without its extension.
#include "engine/Session.h"

namespace hastelyn::engine {

void runEnvironmentChecks(Session& session);

}  // namespace hastelyn::engine
