#include <gtest/gtest.h>

#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/SandboxFixture.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

// Writing many keys in one go must leave exactly the file that writing them one by one leaves,
// on a fresh file and on an untidy existing one.
TEST(ProfileBatch, EndsAsTheSingleWritesWould) {
    const std::string existing =
        "; comment\r\n[b]\r\nk1 = old \r\n\r\n[A]\r\nx=1\r\n[b]\r\nk2=second section\r\nbare line\r\n";
    const std::vector<platform::ProfileWrite> writes = {
        {"A", "y", "2"},       {"b", "K1", "new"}, {"c", "z", "3"},     {"B", "k3", "v"},
        {"a", "x", "changed"}, {"c", "z", "again"}, {"新しい", "鍵", "値"}, {"A", "y", "2"},
    };
    for (const bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "fresh file" : "existing file");
        testing::TempFolder oneByOne, inOneGo;
        testing::MiniMachine m;
        if (!fresh) m.file("C:\\p.ini", existing);
        m.writeTo(oneByOne.path());
        m.writeTo(inOneGo.path());
        {
            SandboxPlatform single(oneByOne.path());
            for (const auto& w : writes) ASSERT_TRUE(single.platform().profiles.writeString("C:\\p.ini", w.section, w.key, w.value).ok());
            SandboxPlatform batch(inOneGo.path());
            ASSERT_TRUE(batch.platform().profiles.writeStrings("C:\\p.ini", writes).ok());
        }
        EXPECT_EQ(testing::fileText(m.hostPath(inOneGo.path(), "C:\\p.ini")), testing::fileText(m.hostPath(oneByOne.path(), "C:\\p.ini")));
    }
}

TEST(ProfileBatch, RefusedLikeASingleWrite) {
    testing::MiniMachine m;
    m.file("C:\\ro.ini", "[s]\r\nk=v\r\n", platform::fileattr::ReadOnly);
    testing::SandboxFixture sandbox{m};
    EXPECT_EQ(sandbox.platform().profiles.writeStrings("C:\\ro.ini", {{"s", "k", "w"}}).code(), platform::win32error::AccessDenied);
    EXPECT_FALSE(sandbox.platform().profiles.writeStrings("C:\\missing\\x.ini", {{"s", "k", "w"}}).ok());
    EXPECT_EQ(sandbox.platform().profiles.getString("C:\\ro.ini", "s", "k", "NULL", 2048), "v");
}

}  // namespace
}  // namespace hastelyn::sandbox
