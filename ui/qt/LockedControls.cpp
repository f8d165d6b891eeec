#include "ui/qt/LockedControls.h"

#include <QLineEdit>
#include <QPushButton>

#include "engine/ModelLocks.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

void setControls(TFrmMain& window, engine::Session& session, const foundation::LockableControls& controls) {
    engine::applyRowLocks(controls, session.model);
    for (std::size_t i = 0; i < foundation::kUtilityButtons; ++i)
        window.utilityButtons[i]->setEnabled(controls.utilityEnabled[i]);
    for (std::size_t i = 0; i < foundation::kPcInfoFields; ++i) {
        QLineEdit* field = window.infoFields[i];
        field->setReadOnly(!controls.pcInfoEditable[i]);
        setFieldColor(field, controls.pcInfoEditable[i] ? window.palette().color(QPalette::Base) : windowsColor(model::colours::kSilver));
    }
    window.refreshLists();
}

}  // namespace

foundation::LockableControls lockableControls(TFrmMain& window, engine::Session& session) {
    foundation::LockableControls controls;
    engine::copyRowLocks(session.model, controls);
    for (std::size_t i = 0; i < foundation::kUtilityButtons; ++i)
        controls.utilityEnabled[i] = window.utilityButtons[i]->isEnabled();
    for (std::size_t i = 0; i < foundation::kPcInfoFields; ++i)
        controls.pcInfoEditable[i] = !window.infoFields[i]->isReadOnly();
    return controls;
}

void applyLockedItems(TFrmMain& window, engine::Session& session, const foundation::LockableControls& marked) {
    foundation::LockableControls controls = lockableControls(window, session);
    foundation::applyLockedItems(session.settings, controls);
    foundation::keepProgramLocks(marked, controls);
    setControls(window, session, controls);
}

void applyLockedItems(TFrmMain& window, engine::Session& session) {
    foundation::LockableControls controls = lockableControls(window, session);
    foundation::applyLockedItems(session.settings, controls);
    setControls(window, session, controls);
}

}  // namespace hastelyn::ui
