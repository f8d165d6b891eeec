#pragma once
// What the utilities page and the PC information page do: their buttons, the texts their
// controls speak when they get the focus, and the fields filled from the machine.
#include <string_view>

class QWidget;

namespace hastelyn::ui {

class TFrmMain;

// Connects the ten utility buttons to their commands and shapes the two drive lists.
void wireUtilityPage(TFrmMain& window);
// Connects the detail and change buttons of the PC information page.
void wirePcInfoPage(TFrmMain& window);
// Fills the ten PC information fields from the machine (at start, and after a restore).
void showPcInformation(TFrmMain& window);
// The text a control of the two pages speaks when it gets the focus; empty for none.
std::string_view utilityPagesFocusText(const QWidget* control);

}  // namespace hastelyn::ui
