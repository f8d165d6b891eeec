#pragma once
// The main window's lockable controls (tweak rows, the services list, utility buttons,
// PC-information fields): what the edition switches off and the locked-items section applied,
// at start and after the options window's locked-items page. The state is the pages' screen's;
// the widgets only show it.
#include "engine/Session.h"
#include "foundation/LockedItems.h"

namespace hastelyn::ui {

class TFrmMain;

// Switches off the utility controls the edition lacks.
void disableForEdition(TFrmMain& window, const foundation::DisabledControls& disabled);
foundation::LockableControls lockableControls(TFrmMain& window, engine::Session& session);
// Applies the locked-items section; what the program itself switched off (marked) stays off.
void applyLockedItems(TFrmMain& window, engine::Session& session, const foundation::LockableControls& marked);
// The same, after the user's own change: the program's locks are "pre_true" marks by now.
void applyLockedItems(TFrmMain& window, engine::Session& session);

}  // namespace hastelyn::ui
