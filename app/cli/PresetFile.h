#pragma once
// A preset read from the machine (--preset FILE); its text is engine/PresetText.h's.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/PresetText.h"
#include "engine/Session.h"

namespace hastelyn::cli {

using engine::PresetTick;

// The largest preset read: far more than every row of a machine.
inline constexpr std::uint64_t kMaxPresetBytes = 1 << 20;

// The ticks of the preset at `path` (a path on the machine), in file order, checked against this
// machine's rows. Throws CommandError before anything is changed: a missing or too large file,
// and a refused line (the message names the file, the line and the row).
std::vector<PresetTick> readPreset(engine::Session& session, const std::string& path);

}  // namespace hastelyn::cli
