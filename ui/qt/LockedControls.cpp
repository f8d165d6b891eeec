#include "ui/qt/LockedControls.h"

#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"

namespace hastelyn::ui {
namespace {

void apply(TFrmMain& window, engine::Session& session, const foundation::LockableControls* marked) {
    model::PageLocks& locks = window.pagesFront->screen().locks();
    locks.apply(session.settings, session.model, marked);
    locks.show(*window.pagesFront);
    window.refreshLists();
}

}  // namespace

void disableForEdition(TFrmMain& window, const foundation::DisabledControls& disabled) {
    model::PageLocks& locks = window.pagesFront->screen().locks();
    locks.disableForEdition(disabled);
}

foundation::LockableControls lockableControls(TFrmMain& window, engine::Session& session) {
    return window.pagesFront->screen().locks().lockable(session.model);
}

void applyLockedItems(TFrmMain& window, engine::Session& session, const foundation::LockableControls& marked) {
    apply(window, session, &marked);
}

void applyLockedItems(TFrmMain& window, engine::Session& session) { apply(window, session, nullptr); }

}  // namespace hastelyn::ui
