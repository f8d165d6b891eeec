#pragma once
// What the options window changes in the other windows: the six colour targets and the texts
// drawn on them, the main window's opacity, the page style, the commentary's font and hint, the
// locked controls; and the stored display settings reaching them when the window is made.
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/OptionSettings.h"
#include "foundation/DisplaySettings.h"
#include "foundation/Edition.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui::model {

// How long the commentary memo's hint stays when it shows the start of the text only, in ms.
inline constexpr int kPlainHintPause = 2500;

// The colour targets, in the order of engine::kColorKeys.
enum class ColourTarget : std::size_t {
    Title,    // the main window's title strip PnlTitle
    Menu,     // the main window's menu shape ShpMenu
    Accel,    // the main window's work area PnlAccel
    Sub,      // the options window (and its focus panel)
    Restore,  // the save-and-restore window
    Compact,  // the compact window
};

// The other windows as a front end draws them.
class OptionsTargets {
public:
    virtual ~OptionsTargets() = default;
    // The target's background; every text drawn on it takes textColourOn(target, name, colour).
    virtual void setTargetColour(ColourTarget target, std::uint32_t colour) = 0;
    // 0 (invisible) to 255 (opaque, not layered).
    virtual void setMainOpacity(int opacity) = 0;
    virtual void setTabStyle(foundation::TabStyle style) = 0;
    virtual void setCommentFont(int pointSize) = 0;
    // The commentary memo's hint: the whole text, long shown, or none.
    virtual void setCommentHint(bool wholeText) = 0;
    // Paints the main window anew after its colours changed.
    virtual void repaintMain() = 0;
    // The locked-items settings reach the main window's rows, buttons and fields.
    virtual void applyLockedItems() = 0;
};

// Layered windows, and with them a main window that can be made transparent: 2000 and XP only.
bool hasLayeredWindows(const foundation::EditionCodes& codes);

// A text drawn on a colour target in a colour of its own (any other text on a target is black).
// Texts on the pages of a page control are not on the target: the pages keep the face colour.
struct TextOnPanel {
    ColourTarget target;
    std::string_view name;  // the control's name
    std::uint32_t own;
};
inline constexpr std::array<TextOnPanel, 8> kTextsOnPanels = {{
    {ColourTarget::Accel, "Label1", colours::kBlack},  // "■ 詳しい解説"
    {ColourTarget::Accel, "Label2", colours::kBlue},   // the hint line under the pages
    {ColourTarget::Accel, "Label4", colours::kRed},    // the counter line
    {ColourTarget::Accel, "LblRest", colours::kRed},
    {ColourTarget::Accel, "Label3", colours::kRed},
    {ColourTarget::Accel, "LblAll", colours::kRed},
    {ColourTarget::Accel, "Label5", colours::kRed},
    {ColourTarget::Sub, "LblSite", colours::kBlack},  // the options window's header
}};

// The colour a text takes on its target of the given colour: its own on the target's design
// colour (the default style) and wherever else it reads (colours::readableOn: at least 3:1),
// else black or white. `name` not in kTextsOnPanels: a black text.
std::uint32_t textColourOn(ColourTarget target, std::string_view name, std::uint32_t panel);

// At the options window's making: the stored font size, hint, opacity (where layered windows
// exist), colours and page style reach the windows.
void applyDisplaySettings(const foundation::Settings& settings, const foundation::EditionCodes& codes,
                                         OptionsTargets& targets);

}  // namespace hastelyn::ui::model
