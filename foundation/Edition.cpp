#include "foundation/Edition.h"

#include <algorithm>

namespace hastelyn::foundation {
namespace {

struct DisabledEntry {
    const char* platform;  // the family the entry applies to
    const char* edition;   // nullptr: every edition of the family
    std::array<std::vector<int>, kTweakListCount> rows;
    std::vector<std::string> utilityControls;
};

// Every Windows 9x edition shares the first entry; the others add to it or stand alone.
const std::vector<DisabledEntry>& disabledTable() {
    static const std::vector<DisabledEntry> table = {
        {"9x", nullptr,
         {{{1, 2, 3, 4, 8, 9, 10}, {1, 3, 8, 9, 10}, {1, 3, 4, 5, 6, 7, 9}, {1, 2, 4, 8, 9, 10}, {4, 5}}},
         {"BtnGroup", "BtnDiskMgmt", "BtnConvert"}},
        {"9x", "95", {{{}, {}, {8}, {}, {}}}, {"BtnMS"}},
        {"9x", "98", {{{}, {}, {8}, {}, {}}}, {}},
        {"9x", "Me", {{{}, {}, {}, {5}, {}}}, {}},
        {"NT", "NT",
         {{{8, 9, 10}, {1, 3, 8, 9, 10}, {1, 3, 7, 8, 9}, {1}, {4, 5}}},
         {"BtnMS", "BtnGroup", "BtnDiskMgmt"}},
        {"NT", "2k", {{{8, 10}, {1, 3, 9, 10}, {1, 7, 8, 9}, {1}, {}}}, {"BtnMS", "LstHDDefrag"}},
        {"NT", "XP", {{{10}, {}, {}, {}, {}}}, {}},
    };
    return table;
}

}  // namespace

EditionCodes detectEdition(const platform::OsVersion& version) {
    EditionCodes codes;
    if (version.platformId == 1) {
        codes.platform = "9x";
        if (version.minor == 0) codes.edition = "95";
        else if (version.minor == 10) codes.edition = "98";
        else if (version.minor == 90) codes.edition = "Me";
    } else if (version.platformId == 2) {
        codes.platform = "NT";
        if (version.major == 4) codes.edition = "NT";
        else if (version.major == 5 && version.minor == 0) codes.edition = "2k";
        else if (version.major == 5 && version.minor == 1) codes.edition = "XP";
    }
    return codes;
}

DisabledControls disabledControlsFor(const EditionCodes& codes) {
    DisabledControls result;
    for (const DisabledEntry& entry : disabledTable()) {
        if (codes.platform != entry.platform) continue;
        if (entry.edition != nullptr && codes.edition != entry.edition) continue;
        for (std::size_t list = 0; list < kTweakListCount; ++list)
            result.rows[list].insert(result.rows[list].end(), entry.rows[list].begin(), entry.rows[list].end());
        result.utilityControls.insert(result.utilityControls.end(), entry.utilityControls.begin(),
                                      entry.utilityControls.end());
    }
    for (auto& rows : result.rows) std::sort(rows.begin(), rows.end());
    return result;
}

}  // namespace hastelyn::foundation
