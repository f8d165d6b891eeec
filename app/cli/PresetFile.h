#pragma once
// A preset: a portable file naming the rows to tick and untick, and nothing else of a PC, so
// that one configuration can be taken to other PCs (--preset FILE).
//
//   ; comment
//   [Preset]
//   System1=tick
//   Service:Security Center=untick
//
// UTF-8 (with or without its byte-order mark), UTF-16LE after its mark, or Shift_JIS, as the
// program's other INI readers take them. One section, [Preset]; keys are row names as status
// prints them (System1 ... Others10, "Service:" and the display name), compared without regard
// to ASCII case; values "tick" or "untick".
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::cli {

struct PresetTick {
    std::string row;  // as status spells it
    bool ticked;
};

// The largest preset read: far more than every row of a machine.
inline constexpr std::uint64_t kMaxPresetBytes = 1 << 20;

// The ticks of the preset at `path` (a path on the machine), in file order. Throws CommandError
// naming the file, the line and the row, before anything is changed, for a file that is missing
// or too large, a line that is not a comment, the section or a key, another section, an unknown
// row, a row this Windows lacks, a row named twice, or a value other than tick and untick.
std::vector<PresetTick> readPreset(engine::Session& session, const std::string& path);

}  // namespace hastelyn::cli
