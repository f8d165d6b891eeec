// The service control manager as the service rows ask it.
#include "tests/conformance/ConformanceFixture.h"

namespace hastelyn::conformance {
namespace {

constexpr long kServiceDoesNotExist = 1060;  // ERROR_SERVICE_DOES_NOT_EXIST

using ServiceCalls = Conformance;

TEST_F(ServiceCalls, StatusOfRunningStoppedAndUnknownServices) {
    platform::ServiceManager& services = p().services;
    platform::ObjectHandle manager;
    ASSERT_EQ(services.openManager(manager), err::Success);
    ASSERT_TRUE(manager);

    const auto stateOf = [&](const std::string& name) -> long {
        platform::ObjectHandle service;
        const long opened = services.openService(manager, name, service);
        if (opened != err::Success) {
            EXPECT_FALSE(service) << name;
            return -opened;
        }
        std::uint32_t state = 0;
        EXPECT_TRUE(services.queryStatus(service, state).ok()) << name;
        EXPECT_TRUE(services.closeServiceHandle(service).ok()) << name;
        return static_cast<long>(state);
    };

    const std::string running = target().runningServiceName();
    EXPECT_EQ(stateOf(running), platform::servicestate::Running);
    std::string upper = running;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    EXPECT_EQ(stateOf(upper), platform::servicestate::Running) << "key names in any case";
    if (const std::string stopped = target().stoppedServiceName(); !stopped.empty()) {
        EXPECT_EQ(stateOf(stopped), platform::servicestate::Stopped);
    }
    EXPECT_EQ(stateOf("HastelynNoSuchService"), -kServiceDoesNotExist);

    // Every status is asked with a manager opened for it: one manager closed leaves another
    // working, and the manager opens again after all were closed.
    platform::ObjectHandle first = manager;
    ASSERT_EQ(services.openManager(manager), err::Success);
    EXPECT_TRUE(services.closeServiceHandle(first).ok());
    EXPECT_EQ(stateOf(running), platform::servicestate::Running);
    EXPECT_TRUE(services.closeServiceHandle(manager).ok());
    ASSERT_EQ(services.openManager(manager), err::Success);
    EXPECT_EQ(stateOf(running), platform::servicestate::Running);
    EXPECT_TRUE(services.closeServiceHandle(manager).ok());
}

}  // namespace
}  // namespace hastelyn::conformance
