#pragma once
// The utilities page and the PC information page on the Qt side: their buttons forwarded to the
// pages' screen, the fields filled from the machine, and the spoken text of a focused control.
#include <string_view>

class QWidget;

namespace hastelyn::ui {

class RowList;
class TFrmMain;

// Connects the ten utility buttons to their commands and shapes the two drive lists.
void wireUtilityPage(TFrmMain& window);
// Connects the detail and change buttons of the PC information page.
void wirePcInfoPage(TFrmMain& window);
// Fills the ten PC information fields from the machine (at start, and after a restore).
void showPcInformation(TFrmMain& window);
// Keeps a page's list and the controls over its rows inside the page when the page is lower
// than they were drawn for: rows and controls shrink together.
void fitPageToItsHeight(QWidget* page, RowList* list);

}  // namespace hastelyn::ui
