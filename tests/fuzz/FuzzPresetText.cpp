// Arbitrary bytes as a preset: either refused at a line with no tick kept, or ticks of known rows
// only, each once, none of a row this Windows lacks.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/PresetText.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hastelyn;
    static const std::vector<std::string> rows = {"System1", "System10", "Desktop1", "Others10", "Service:Security Center"};
    static const std::set<std::string> lacking = {"System10"};
    const engine::PresetText preset =
        engine::parsePreset(std::string_view(reinterpret_cast<const char*>(data), size), rows, lacking);
    check((preset.refusedLine == 0) == preset.refusal.empty());
    if (preset.refusedLine != 0) check(preset.ticks.empty());
    std::set<std::string> seen;
    for (const engine::PresetTick& tick : preset.ticks) {
        check(std::find(rows.begin(), rows.end(), tick.row) != rows.end() && !lacking.contains(tick.row));
        check(seen.insert(tick.row).second);
    }
    return 0;
}
