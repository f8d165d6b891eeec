#pragma once
// The main window's lockable controls (tweak rows, the services list, utility buttons,
// PC-information fields): their enabled state copied out and the locked-items section applied
// to them, at start and after the options window's locked-items page.
#include "engine/Session.h"
#include "foundation/LockedItems.h"

namespace hastelyn::ui {

class TFrmMain;

foundation::LockableControls lockableControls(TFrmMain& window, engine::Session& session);
// Applies the locked-items section; what the program itself switched off (marked) stays off.
void applyLockedItems(TFrmMain& window, engine::Session& session, const foundation::LockableControls& marked);
// The same, after the user's own change: the program's locks are "pre_true" marks by now.
void applyLockedItems(TFrmMain& window, engine::Session& session);

}  // namespace hastelyn::ui
