#pragma once
// The text of a preset: a portable file naming the rows to tick and untick, and nothing else of
// a PC, so that one configuration can be taken to other PCs.
//
//   ; comment
//   [Preset]
//   System1=tick
//   Service:Security Center=untick
//
// UTF-8 (with or without its byte-order mark), UTF-16LE after its mark, or Shift_JIS (text that
// is not valid UTF-8), as the program's other INI readers take them. One section, [Preset]; keys
// are row names as the command line's status prints them, compared without regard to ASCII case;
// values "tick" or "untick"; blanks around names and values do not count.
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::engine {

struct PresetTick {
    std::string row;  // spelt as in the list of rows given
    bool ticked;
};

struct PresetText {
    std::vector<PresetTick> ticks;  // in file order
    // The first line that is refused, and why (it names the row where there is one): a line that
    // is not a comment, the section or a key, another section, a key before the section, an
    // unknown row, a row this Windows lacks, a row named twice, a value other than tick and
    // untick. Nothing of the file counts then.
    std::size_t refusedLine = 0;
    std::string refusal;
};

// `rows`: the names of every row; `lacking`: those this Windows has no use for.
PresetText parsePreset(std::string_view bytes, const std::vector<std::string>& rows, const std::set<std::string>& lacking);

}  // namespace hastelyn::engine
