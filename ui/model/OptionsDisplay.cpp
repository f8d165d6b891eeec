#include "ui/model/OptionsDisplay.h"

#include <iterator>

namespace hastelyn::ui::model {

bool hasLayeredWindows(const foundation::EditionCodes& codes) { return codes.edition == "2k" || codes.edition == "XP"; }

std::uint32_t textColourOn(ColourTarget target, std::string_view name, std::uint32_t panel) {
    std::uint32_t own = colours::kBlack;
    for (const TextOnPanel& text : kTextsOnPanels)
        if (text.target == target && text.name == name) own = text.own;
    // On the window's own design colour the design's text colours stand (the red counters on
    // the work area read at 2.8:1, as they always have).
    if (panel == engine::kColorStyles[0].colors[static_cast<std::size_t>(target)]) return own;
    return colours::readableOn(panel, own);
}

void applyDisplaySettings(const foundation::Settings& settings, const foundation::EditionCodes& codes,
                                         OptionsTargets& targets) {
    const foundation::DisplaySettings display = foundation::loadDisplaySettings(settings);
    if (display.commentFontSize) targets.setCommentFont(*display.commentFontSize > 0 ? *display.commentFontSize : 1);
    if (display.commentHint) targets.setCommentHint(true);
    if (display.opacity && hasLayeredWindows(codes)) targets.setMainOpacity(*display.opacity);
    const std::optional<std::uint32_t> stored[] = {display.titleColor, display.menuColor,    display.accelColor,
                                                   display.subColor,   display.restoreColor, display.compactColor};
    for (std::size_t target = 0; target < std::size(stored); ++target)
        if (stored[target]) targets.setTargetColour(static_cast<ColourTarget>(target), *stored[target]);
    if (display.repaintMain) targets.repaintMain();
    if (display.tabStyle) targets.setTabStyle(*display.tabStyle);
}

}  // namespace hastelyn::ui::model
