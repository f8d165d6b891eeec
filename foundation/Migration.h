#pragma once
// The one-time carry-over of settings from "Hastelyn.ini" and the older edition's
// "Tervossa.ini" in the current folder ("TransitOption" marks it done).
#include <string_view>

#include "foundation/Settings.h"

namespace hastelyn::foundation {

void migrateOlderSettings(Settings& settings, std::string_view currentDirectory);

}  // namespace hastelyn::foundation
