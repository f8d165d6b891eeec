#include <gtest/gtest.h>

#include "engine/ModelLocks.h"
#include "engine/Passes.h"
#include "foundation/LockedItems.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

// The services lock belongs to the list, not to its rows: a list filled again after a restore
// is as locked as before.
TEST(ServiceLock, OutlivesARefilledList) {
    for (const char* setting : {"", "false"}) {
        SCOPED_TRACE(setting);
        testing::MiniMachine m;
        m.service("Alpha", "Alpha Service", 2, "LocalSystem").service("Beta", "Beta Service", 3, "LocalSystem");
        if (*setting) m.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", std::string("[DisabledItem]\r\nService=") + setting + "\r\n");
        testing::EngineFixture fx(m);
        Session& s = fx.session();
        readPass(s);
        ASSERT_EQ(s.model.services().rows.size(), 2u);
        foundation::LockableControls controls;
        copyRowLocks(s.model, controls);
        foundation::applyLockedItems(s.settings, controls);
        applyRowLocks(controls, s.model);
        const bool unlocked = std::string(setting) == "false";
        EXPECT_EQ(s.model.services().rows[0].enabled, unlocked);

        clearTicks(s);
        readPass(s);
        ASSERT_EQ(s.model.services().rows.size(), 2u);
        EXPECT_EQ(s.model.services().rows[1].enabled, unlocked);
    }
}

}  // namespace
}  // namespace hastelyn::engine
