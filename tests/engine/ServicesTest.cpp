// The services list: which services it shows and in what order, what it ticks, and what applying
// its rows does to the registry, the settings file and the services.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "engine/Services.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

using namespace hastelyn;
using namespace hastelyn::engine;

namespace {

constexpr const char* kServicesPath = "\\SYSTEM\\CurrentControlSet\\Services\\";

std::vector<std::string> labels(const engine::CheckList& list) {
    std::vector<std::string> out;
    for (const engine::Row& row : list.rows) out.push_back(row.label);
    return out;
}

engine::Row& rowNamed(EngineFixture& fx, std::string_view label) {
    for (engine::Row& row : fx.session().model.services().rows)
        if (row.label == label) return row;
    throw std::runtime_error("no row " + std::string(label));
}

std::string start(EngineFixture& fx, std::string_view key) {
    return fx.read(RootKey::LocalMachine, kServicesPath + std::string(key), "Start", RegType::DWORD);
}

// The state a service is in (platform::servicestate: 4 running, 1 stopped).
std::uint32_t stateOf(EngineFixture& fx, std::string_view key) { return fx.sandbox().services().state(key); }

}  // namespace

TEST(ServiceList, ListShowsLogonServicesSortedAndTicksTheStoppedOnes) {
    MiniMachine m;
    m.service("Zeta", "zeta service", 3)                          // stopped at boot
        .service("Alpha", "Beta", 2)                              // runs
        .service("TwinA", "Twin", 2)
        .service("TwinB", "twin", 3)                              // stopped: ticks both "Twin" rows
        .service("Under", "_first", 2)
        .service("Driver", "Driver Only", 3, "")                  // no logon account
        .service("odd/key", "Unknown State", 3)                   // the manager cannot open it
        .hive(RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Expanded]",
                                      "\"DisplayName\"=expand:\"Expanded Name\"", "\"ObjectName\"=\"LocalSystem\""});
    EngineFixture fx(m, kAndRead);
    const engine::CheckList& list = fx.session().model.services();

    // Case folded to lower case, so "_" comes before the letters; equal names keep registry order.
    EXPECT_EQ(labels(list),
              (std::vector<std::string>{"_first", "Beta", "Twin", "twin", "Unknown State", "zeta service"}));
    EXPECT_EQ(engine::listedServiceKeys(fx.session()),
              (std::vector<std::string>{"Alpha", "odd/key", "TwinA", "TwinB", "Under", "Zeta"}));
    std::vector<bool> ticks;
    for (const engine::Row& row : list.rows) ticks.push_back(row.ticked);
    EXPECT_EQ(ticks, (std::vector<bool>{false, false, true, true, false, true}));
    const auto& state = fx.session().model.state();
    for (std::size_t r = 0; r < list.rows.size(); ++r) EXPECT_EQ(state[50 + r], ticks[r] ? 1 : 0) << r;

    // A second read replaces the list rather than adding to it.
    engine::readPass(fx.session());
    EXPECT_EQ(list.rows.size(), 6u);

    // A restricted account cannot open the services key for full access: nothing is listed.
    fx.restrictAccount();
    engine::readPass(fx.session());
    EXPECT_TRUE(fx.session().model.services().rows.empty());
}

TEST(ServiceList, OnlyTheFirst200RowsGetAListAndAFlag) {
    MiniMachine m;
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "Svc%03d", i);
        m.service(name, name, 3);  // all stopped, all ticked
    }
    EngineFixture fx(m, kAndRead);
    const std::vector<engine::Row>& rows = fx.session().model.services().rows;
    ASSERT_EQ(rows.size(), 200u);
    EXPECT_EQ(rows.back().label, "Svc199");
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const engine::Row& r) { return r.ticked; }));
    const auto& state = fx.session().model.state();
    EXPECT_TRUE(std::all_of(state.begin() + 50, state.end(), [](std::uint8_t f) { return f == 1; }));

    // Unticking every row starts exactly the 200 listed services.
    for (engine::Row& row : fx.session().model.services().rows) row.ticked = false;
    engine::applyPass(fx.session());
    EXPECT_EQ(countOf(fx.journal(), "Net\tstart\t"), 200u);
    EXPECT_EQ(start(fx, "Svc199"), "3");
    EXPECT_EQ(stateOf(fx, "Svc199"), 4u);
    EXPECT_EQ(stateOf(fx, "Svc200"), 1u);
}

TEST(ServiceList, ApplyingRowsDisablesOrRestoresAndRunsNet) {
    MiniMachine m;
    m.service("Alpha", "Alpha", 2)
        .service("Quoted", "Say \"Hi\" Service", 2)
        .service("Manual", "Manual One", 3)  // stopped; the program never disabled it
        .service("TwinA", "Twin", 2)
        .service("TwinB", "Twin", 2)
        .service("Gone", "Gone Soon", 2);
    EngineFixture fx(m);
    engine::Session& s = fx.session();
    engine::readPass(s);

    rowNamed(fx, "Alpha").ticked = true;
    rowNamed(fx, "Say \"Hi\" Service").ticked = true;
    rowNamed(fx, "Manual One").ticked = false;
    s.model.services().rows[5].ticked = true;  // the second "Twin" row
    ASSERT_EQ(s.model.services().rows[5].label, "Twin");
    rowNamed(fx, "Gone Soon").ticked = true;
    s.registry.DeleteRegKey(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Services\\Gone");
    engine::applyPass(s);

    const std::string journal = fx.journal();
    EXPECT_EQ(start(fx, "Alpha"), "4");
    EXPECT_EQ(s.settings.read("不要サービス", "Alpha"), "2");
    EXPECT_NE(journal.find("CreateProcess\tnet stop \"Alpha\"\n"), std::string::npos);
    // The name goes inside quotes as it is; net takes everything up to the last quote.
    EXPECT_NE(journal.find("CreateProcess\tnet stop \"Say \"Hi\" Service\"\n"), std::string::npos);
    EXPECT_NE(journal.find("Net\tstop\tSay \"Hi\" Service\t0"), std::string::npos);
    EXPECT_EQ(start(fx, "Quoted"), "4");
    // Nothing kept for a service the program never disabled: manual.
    EXPECT_EQ(start(fx, "Manual"), "3");
    EXPECT_NE(journal.find("Net\tstart\tManual One\t0"), std::string::npos);
    // Either "Twin" row acts on the first service of that name in registry order.
    EXPECT_EQ(start(fx, "TwinA"), "4");
    EXPECT_EQ(start(fx, "TwinB"), "2");
    EXPECT_EQ(stateOf(fx, "TwinA"), 1u);
    EXPECT_EQ(stateOf(fx, "TwinB"), 4u);
    // A service gone since the read: no command, no settings, and the row keeps its difference.
    EXPECT_EQ(journal.find("Gone Soon"), std::string::npos);
    EXPECT_EQ(s.settings.read("不要サービス", "Gone Soon"), "NULL");
    const auto& rows = s.model.services().rows;
    const auto& state = s.model.state();
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(state[50 + r] == 1, rows[r].ticked != (rows[r].label == "Gone Soon")) << rows[r].label;

    // Unticked again: the kept start type comes back.
    rowNamed(fx, "Alpha").ticked = false;
    engine::applyPass(s);
    EXPECT_EQ(start(fx, "Alpha"), "2");
    EXPECT_EQ(stateOf(fx, "Alpha"), 4u);

    // A locked list is not applied at all.
    for (engine::Row& row : s.model.services().rows) row.enabled = false;
    rowNamed(fx, "Alpha").ticked = true;
    engine::applyPass(s);
    EXPECT_EQ(start(fx, "Alpha"), "2");
    EXPECT_EQ(countOf(fx.journal(), "net stop \"Alpha\""), 1u);
}

TEST(ServiceList, ACommandThatCannotStartEndsThePassAtItsRow) {
    MiniMachine m;
    m.service("Alpha", "Alpha", 2).service("Beta", "Beta", 2).shell("Missing", "net");
    EngineFixture fx(m, kAndRead);
    for (engine::Row& row : fx.session().model.services().rows) row.ticked = true;
    EXPECT_EQ(hastelyn::testing::commandErrorOf([&] { engine::applyPass(fx.session()); }), "Exec Error 2");
    // Alpha: start type kept, but not disabled while it still runs; flag not flipped. Beta: untouched.
    EXPECT_EQ(start(fx, "Alpha"), "2");
    EXPECT_EQ(fx.session().settings.read("不要サービス", "Alpha"), "2");
    EXPECT_EQ(fx.session().model.state()[50], 0);
    EXPECT_EQ(start(fx, "Beta"), "2");
    EXPECT_EQ(fx.session().settings.read("不要サービス", "Beta"), "NULL");
    EXPECT_EQ(fx.session().model.state()[51], 0);
}
