#pragma once
// Which Windows is running: the family ("9x", "NT") and the edition ("95", "98", "Me", "NT",
// "2k", "XP"), and which tweak rows and utility controls make no sense on it.
#include <array>
#include <string>
#include <vector>

#include "platform/SystemInfo.h"

namespace hastelyn::foundation {

struct EditionCodes {
    std::string platform;  // "9x", "NT" or empty
    std::string edition;   // "95", "98", "Me", "NT", "2k", "XP" or empty

    bool ntFamily() const { return platform == "NT"; }
};

EditionCodes detectEdition(const platform::OsVersion& version);

// The five tweak lists in their fixed order.
enum class TweakList { System, Desktop, Explorer, Power, Others };
constexpr std::size_t kTweakListCount = 5;

struct DisabledControls {
    // Row numbers from 1, per tweak list in the order of TweakList.
    std::array<std::vector<int>, kTweakListCount> rows;
    // Object names of the utility controls ("BtnMS", "LstHDDefrag", ...).
    std::vector<std::string> utilityControls;
};

// What the edition switches off in the main window.
DisabledControls disabledControlsFor(const EditionCodes& codes);

}  // namespace hastelyn::foundation
