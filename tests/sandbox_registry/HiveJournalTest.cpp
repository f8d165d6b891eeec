// A change costs about the size of what changed: it goes to the hive's journal, and the hive
// file is written whole only now and then and when the registry is done.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sandbox/registry/HiveFileWriter.h"
#include "platform/sandbox/registry/HiveJournal.h"
#include "platform/sandbox/registry/SandboxRegistry.h"
#include "tests/sandbox_registry/RegistryTestSupport.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox::test {
namespace {

namespace fs = std::filesystem;

class HiveJournalTest : public ::testing::Test {
protected:
    fs::path folder() const { return temp_.path() / "registry"; }
    fs::path hiveFile() const { return folder() / "HKEY_LOCAL_MACHINE.reg"; }
    fs::path journalFile() const { return folder() / "HKEY_LOCAL_MACHINE.journal"; }
    // The hive as a registry opened afresh reads it.
    std::string reread() {
        SandboxRegistry fresh(folder(), false);
        return writeHiveFile(*fresh.currentKey(RootKey::LocalMachine, "")->clone(), "HKEY_LOCAL_MACHINE");
    }

    testing::TempFolder temp_;
};

TEST_F(HiveJournalTest, ABigValueDoesNotMakeLaterWritesRewriteTheHive) {
    const std::string big(1 << 20, '\x5a');
    {
        SandboxRegistry reg(folder(), false);
        ASSERT_EQ(set(reg, create(reg, RootKey::LocalMachine, "Big"), "blob", regtype::Binary, big), err::Success);
    }
    ASSERT_GT(fs::file_size(hiveFile()), big.size());
    EXPECT_FALSE(fs::exists(journalFile())) << "the registry wrote everything into the hive file when done";
    const FileStamp before = stampOf(hiveFile());

    std::string expected;
    {
        SandboxRegistry reg(folder(), false);
        const KeyHandle key = create(reg, RootKey::LocalMachine, "Software\\Tweaks");
        for (int i = 0; i < 200; ++i) {
            ASSERT_EQ(set(reg, key, "v" + std::to_string(i % 20), regtype::Dword, le32(i)), err::Success);
            if (i % 50 == 0) {
                ASSERT_EQ(reg.deleteValue(key, "v0"), err::Success);
            }
        }
        KeyHandle gone;
        ASSERT_EQ(reg.createKey(RootKey::LocalMachine, "Software\\Gone\\Deep", gone), err::Success);
        const KeyHandle software = open(reg, RootKey::LocalMachine, "Software", KeyAccess::Full);
        ASSERT_EQ(reg.deleteTree(software, "Gone"), err::Success);
        // A key renamed as the program renames one: copied with everything below it, then deleted.
        ASSERT_EQ(reg.copyTree(software, "Tweaks", create(reg, RootKey::LocalMachine, "Software\\;Tweaks")), err::Success);
        ASSERT_EQ(reg.deleteTree(software, "Tweaks"), err::Success);

        EXPECT_EQ(reg.hiveWrites(), 0u);
        EXPECT_EQ(stampOf(hiveFile()), before) << "a small change wrote the whole hive";
        EXPECT_LT(fs::file_size(journalFile()), 64u << 10);
        expected = writeHiveFile(*reg.currentKey(RootKey::LocalMachine, "")->clone(), "HKEY_LOCAL_MACHINE");
        EXPECT_EQ(reread(), expected) << "hive file and journal together hold every change";
    }
    EXPECT_EQ(readFile(hiveFile()), expected);
    EXPECT_FALSE(fs::exists(journalFile()));
}

TEST_F(HiveJournalTest, ATornRecordAndAJournalOfAnotherHiveFileCountForNothing) {
    std::string expected;
    {
        SandboxRegistry reg(folder(), false);
        const KeyHandle key = create(reg, RootKey::LocalMachine, "K");
        ASSERT_EQ(set(reg, key, "a", regtype::Sz, sz("1")), err::Success);
        ASSERT_EQ(set(reg, key, "b", regtype::Sz, sz("2")), err::Success);
        expected = reread();
        // A writer killed in the middle of a record leaves part of it.
        const std::string journal = readFile(journalFile());
        std::ofstream(journalFile(), std::ios::app | std::ios::binary) << journal.substr(journal.find("\nR ") + 1, 20);
        EXPECT_EQ(reread(), expected);
        // The next change cuts the torn record off and follows the whole ones.
        ASSERT_EQ(set(reg, key, "c", regtype::Sz, sz("3")), err::Success);
        SandboxRegistry other(folder(), false);
        EXPECT_EQ(valueNames(other, open(other, RootKey::LocalMachine, "K")), (std::vector<std::string>{"a", "b", "c"}));

        // A hive file written by someone else: the journal of the old one no longer applies.
        ASSERT_TRUE(writeFileAtomically(hiveFile(), "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\New]\n"));
        EXPECT_EQ(subkeys(other, open(other, RootKey::LocalMachine, "")), std::vector<std::string>{"New"});
    }
    EXPECT_EQ(reread(), "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE]\n\n[HKEY_LOCAL_MACHINE\\New]\n\n");
}

// Records with a right hash that the registry could never have written (too deep, bad names, unknown,
// cut, too large) end the journal as a torn record does, whatever follows; the next change cuts it off.
TEST_F(HiveJournalTest, RecordsTheRegistryCouldNotHaveWrittenEndTheJournal) {
    const std::string crafted[] = {
        HiveJournal::keyRecord(std::vector<std::string>(300'000, "a")),
        HiveJournal::keyRecord({std::string(256, 'k')}),
        HiveJournal::keyRecord({"a\\b"}),
        HiveJournal::keyRecord({std::string("nul\0", 4)}),
        HiveJournal::setRecord({"K"}, "line\nbreak", regtype::Sz, sz("x")),
        HiveJournal::setRecord({"K"}, "big", regtype::Binary, std::string(2 << 20, 'x')),
        HiveJournal::deleteTreeRecord({}),
        "Q1:0",
        HiveJournal::keyRecord({"Half"}) + "K1:1",
    };
    for (const std::string& record : crafted) {
        fs::remove_all(folder());
        SandboxRegistry reg(folder(), false);
        const KeyHandle key = create(reg, RootKey::LocalMachine, "K");
        ASSERT_EQ(set(reg, key, "a", regtype::Sz, sz("1")), err::Success);
        const std::string expected = reread();
        HiveJournal other(journalFile());
        HiveKey scratch;
        bool applied = false;
        ASSERT_TRUE(other.read(stampOf(hiveFile()), scratch, &applied) && applied);
        ASSERT_TRUE(other.append(stampOf(hiveFile()), record));
        ASSERT_TRUE(other.append(stampOf(hiveFile()), HiveJournal::keyRecord({"After"})));
        EXPECT_EQ(reread(), expected) << record.substr(0, 40);

        ASSERT_EQ(set(reg, key, "b", regtype::Sz, sz("2")), err::Success);
        SandboxRegistry fresh(folder(), false);
        EXPECT_EQ(subkeys(fresh, open(fresh, RootKey::LocalMachine, "")), std::vector<std::string>{"K"});
        EXPECT_EQ(valueNames(fresh, open(fresh, RootKey::LocalMachine, "K")), (std::vector<std::string>{"a", "b"}));
    }
}

}  // namespace
}  // namespace hastelyn::sandbox::test
