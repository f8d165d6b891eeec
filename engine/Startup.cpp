#include "engine/Startup.h"

#include "engine/EnvironmentChecks.h"
#include "engine/ModelLocks.h"
#include "engine/Passes.h"
#include "foundation/LockedItems.h"
#include "foundation/SystemPaths.h"

namespace hastelyn::engine {

void startWithoutWindows(Session& session) {
    session.codes = foundation::detectEdition(session.platform.system.getVersion());
    session.model.disableRows(foundation::disabledControlsFor(session.codes));
    foundation::detectSystemPaths(session.platform, session.codes, session.settings, session.paths);
    runEnvironmentChecks(session);
    readPass(session);
    foundation::LockableControls marked;
    copyRowLocks(session.model, marked);
    foundation::LockableControls controls = marked;
    foundation::applyLockedItems(session.settings, controls);
    foundation::keepProgramLocks(marked, controls);
    applyRowLocks(controls, session.model);
}

}  // namespace hastelyn::engine
