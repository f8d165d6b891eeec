#include "platform/sandbox/registry/SandboxRegistry.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/sandbox/registry/RegistryText.h"
#include "tests/sandbox_registry/RegistryTestSupport.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox::test {
namespace {

class SandboxRegistryTest : public ::testing::Test {
protected:
    std::filesystem::path folder() const { return temp_.path() / "registry"; }
    std::filesystem::path hiveFile(RootKey root) const {
        return folder() / (std::string(platform::rootKeyName(root)) + ".reg");
    }
    void writeHive(RootKey root, std::string_view text) {
        std::filesystem::create_directories(folder());
        ASSERT_TRUE(writeFileAtomically(hiveFile(root), text));
    }

    testing::TempFolder temp_;
    SandboxRegistry reg_{folder(), false};
};

// Values list in creation order, as the NT registry keeps them (the conformance suite leaves the
// order open, since Wine sorts values); string data that is no UTF-8 is kept as a reload gives it.
TEST_F(SandboxRegistryTest, ValuesAreKeptInCreationOrderAndAsAReloadWouldGiveThem) {
    const KeyHandle key = create(reg_, RootKey::CurrentUser, "S");
    for (const char* value : {"z", "a", "m"}) set(reg_, key, value, regtype::Dword, std::string(4, '\0'));
    EXPECT_EQ(reg_.deleteValue(key, "A"), err::Success);
    set(reg_, key, "a", regtype::Dword, std::string(4, '\1'));
    set(reg_, key, "Z", regtype::Dword, std::string(4, '\1'));
    set(reg_, key, "Bad", regtype::Sz, "a\xff\xe3\x81z");
    set(reg_, key, "NoNul", regtype::ExpandSz, "abc");
    set(reg_, key, "Empty", regtype::Sz, "");
    set(reg_, key, "Name\xff", regtype::Binary, "x");
    EXPECT_EQ(reg_.setValue(key, "Line\nBreak", regtype::Sz, nullptr, 0), err::InvalidParameter);

    SandboxRegistry fresh(folder(), false);
    const KeyHandle reread = open(fresh, RootKey::CurrentUser, "S");
    for (Registry* r : {static_cast<Registry*>(&reg_), static_cast<Registry*>(&fresh)}) {
        const KeyHandle h = r == &reg_ ? key : reread;
        EXPECT_EQ(query(*r, h, "Bad"), (Value{regtype::Sz, "a???z"}));
        EXPECT_EQ(query(*r, h, "NoNul"), (Value{regtype::ExpandSz, "abc"}));
        EXPECT_EQ(query(*r, h, "Empty"), (Value{regtype::Sz, ""}));
        EXPECT_EQ(valueNames(*r, h), (std::vector<std::string>{"z", "m", "a", "Bad", "NoNul", "Empty", "Name?"}));
    }
}

TEST_F(SandboxRegistryTest, RestrictedAccountOnlyReadsMachineKeys) {
    writeHive(RootKey::LocalMachine, "[HKEY_LOCAL_MACHINE\\Software\\Sub]\n\"v\"=dword:00000001\n");
    writeHive(RootKey::ClassesRoot, "[HKEY_CLASSES_ROOT\\.txt]\n@=\"txtfile\"\n");
    const std::string machineBefore = readFile(hiveFile(RootKey::LocalMachine));
    SandboxRegistry restricted(folder(), true);
    KeyHandle h;
    EXPECT_EQ(restricted.openKey(RootKey::LocalMachine, "Software", KeyAccess::Full, h), err::AccessDenied);
    EXPECT_FALSE(h);
    EXPECT_EQ(restricted.openKey(RootKey::ClassesRoot, ".txt", KeyAccess::Full, h), err::AccessDenied);
    EXPECT_EQ(restricted.createKey(RootKey::LocalMachine, "Software", h), err::AccessDenied);
    EXPECT_EQ(restricted.createKey(RootKey::ClassesRoot, "New", h), err::AccessDenied);

    const KeyHandle machine = open(restricted, RootKey::LocalMachine, "Software");
    EXPECT_EQ(query(restricted, open(restricted, RootKey::LocalMachine, "Software\\Sub"), "v"),
              (Value{regtype::Dword, le32(1)}));
    EXPECT_EQ(set(restricted, machine, "x", regtype::Sz, sz("x")), err::AccessDenied);
    EXPECT_EQ(restricted.deleteTree(machine, "Sub"), err::AccessDenied);
    const KeyHandle user = create(restricted, RootKey::CurrentUser, "Software");
    create(restricted, RootKey::Users, ".DEFAULT\\Software");
    EXPECT_EQ(restricted.copyTree(user, "", machine), err::AccessDenied);
    EXPECT_EQ(restricted.copyTree(machine, "", user), err::Success);
    EXPECT_EQ(subkeys(restricted, user), std::vector<std::string>{"Sub"});
    EXPECT_EQ(readFile(hiveFile(RootKey::LocalMachine)), machineBefore);

    // A query handle refuses every change for an administrator too.
    const KeyHandle readOnly = open(reg_, RootKey::CurrentUser, "Software");
    EXPECT_EQ(set(reg_, readOnly, "x", regtype::Sz, sz("x")), err::AccessDenied);
    EXPECT_EQ(reg_.deleteValue(readOnly, "x"), err::AccessDenied);
    EXPECT_EQ(reg_.deleteTree(readOnly, "Sub"), err::AccessDenied);
    EXPECT_EQ(reg_.copyTree(open(reg_, RootKey::CurrentUser, "Software", KeyAccess::Full), "Sub", readOnly),
              err::AccessDenied);
    EXPECT_EQ(reg_.openKey(RootKey::LocalMachine, "Software", KeyAccess::Full, h), err::Success);
}

TEST_F(SandboxRegistryTest, HandlesAreCheckedReleasedAndNoticeDeletedKeys) {
    KeyHandle h;
    EXPECT_EQ(reg_.openKey(RootKey::CurrentUser, "Missing", KeyAccess::Query, h), err::FileNotFound);
    EXPECT_FALSE(h);
    EXPECT_FALSE(std::filesystem::exists(folder()));  // reading makes no file

    const KeyHandle parent = create(reg_, RootKey::CurrentUser, "A");
    const KeyHandle child = create(reg_, RootKey::CurrentUser, "A\\B");
    const KeyHandle other = create(reg_, RootKey::CurrentUser, "Other");
    EXPECT_EQ(reg_.deleteTree(parent, "b"), err::Success);
    std::string name;
    EXPECT_EQ(set(reg_, other, "still", regtype::Sz, sz("open")), err::Success);
    EXPECT_EQ(set(reg_, child, "v", regtype::Sz, sz("v")), err::KeyDeleted);
    EXPECT_EQ(reg_.enumValue(child, 0, name), err::KeyDeleted);
    const KeyHandle remade = create(reg_, RootKey::CurrentUser, "A\\B");
    EXPECT_EQ(reg_.enumKey(child, 0, name), err::KeyDeleted);  // a new key of the same name
    EXPECT_EQ(set(reg_, remade, "v", regtype::Sz, sz("v")), err::Success);

    EXPECT_EQ(reg_.openKeyCount(), 4u);
    for (const KeyHandle k : {parent, child, other, remade}) EXPECT_EQ(reg_.closeKey(k), err::Success);
    EXPECT_EQ(reg_.openKeyCount(), 0u);
    EXPECT_EQ(reg_.closeKey(parent), err::InvalidHandle);
    EXPECT_EQ(reg_.queryValue(parent, "v", nullptr, nullptr, nullptr), err::InvalidHandle);
    EXPECT_EQ(reg_.closeKey(KeyHandle{}), err::InvalidHandle);
}

TEST_F(SandboxRegistryTest, BadPathsAreRefused) {
    KeyHandle h;
    EXPECT_EQ(reg_.createKey(RootKey::CurrentUser, "a\nb", h), err::InvalidParameter);
    EXPECT_EQ(reg_.createKey(RootKey::CurrentUser, std::string(256, 'k'), h), err::InvalidParameter);
    std::string deep;
    for (int i = 0; i < 513; ++i) deep += "k\\";
    EXPECT_EQ(reg_.createKey(RootKey::CurrentUser, deep, h), err::InvalidParameter);
    EXPECT_EQ(reg_.createKey(RootKey::CurrentUser, deep.substr(2), h), err::Success);
    const KeyHandle top = create(reg_, RootKey::CurrentUser, "k");
    // 511 levels below "k" copied two levels down would reach past 512.
    EXPECT_EQ(reg_.copyTree(top, "", create(reg_, RootKey::CurrentUser, "k\\k")), err::InvalidParameter);
    EXPECT_EQ(reg_.deleteTree(top, ""), err::InvalidParameter);
    EXPECT_EQ(reg_.deleteTree(top, "nothing"), err::FileNotFound);
}

TEST_F(SandboxRegistryTest, DeleteTreeAndCopyTree) {
    const KeyHandle a = create(reg_, RootKey::CurrentUser, "A");
    set(reg_, a, "v", regtype::Sz, sz("a"));
    set(reg_, create(reg_, RootKey::CurrentUser, "A\\S\\T"), "deep", regtype::Dword, le32(1));
    const KeyHandle copy = create(reg_, RootKey::CurrentUser, "A\\Copy");
    set(reg_, copy, "v", regtype::Sz, sz("old"));
    set(reg_, copy, "keep", regtype::Sz, sz("k"));

    // Into its own subtree: the copy is of the tree as it was, so it ends.
    EXPECT_EQ(reg_.copyTree(a, "", copy), err::Success);
    EXPECT_EQ(subkeys(reg_, copy), (std::vector<std::string>{"Copy", "S"}));
    EXPECT_EQ(valueNames(reg_, copy), (std::vector<std::string>{"v", "keep"}));
    EXPECT_EQ(subkeys(reg_, open(reg_, RootKey::CurrentUser, "A\\Copy\\Copy")), std::vector<std::string>{});

    const KeyHandle machine = create(reg_, RootKey::LocalMachine, "Target");
    EXPECT_EQ(reg_.copyTree(a, "s", machine), err::Success);
    EXPECT_EQ(reg_.copyTree(a, "none", machine), err::FileNotFound);
    EXPECT_EQ(reg_.deleteTree(a, "Copy\\S"), err::Success);
    EXPECT_EQ(reg_.deleteTree(a, "Copy\\S"), err::FileNotFound);

    SandboxRegistry fresh(folder(), false);
    EXPECT_EQ(subkeys(fresh, open(fresh, RootKey::LocalMachine, "Target")), std::vector<std::string>{"T"});
    EXPECT_EQ(subkeys(fresh, open(fresh, RootKey::CurrentUser, "A\\Copy")), std::vector<std::string>{"Copy"});
}

TEST_F(SandboxRegistryTest, ChangesByAnotherProcessAreSeen) {
    SandboxRegistry second(folder(), false);
    const KeyHandle mine = create(reg_, RootKey::CurrentUser, "Shared");
    set(reg_, mine, "n", regtype::Sz, sz("1"));
    const KeyHandle theirs = create(second, RootKey::CurrentUser, "Shared");  // reads the file again
    EXPECT_EQ(query(second, theirs, "n"), (Value{regtype::Sz, sz("1")}));
    EXPECT_EQ(set(second, theirs, "n", regtype::Sz, sz("2")), err::Success);
    // A change through a key that was open before reads the file first, so nothing is lost.
    EXPECT_EQ(set(reg_, mine, "m", regtype::Sz, sz("3")), err::Success);
    const KeyHandle check = open(second, RootKey::CurrentUser, "Shared");
    EXPECT_EQ(valueNames(second, check), (std::vector<std::string>{"n", "m"}));
    EXPECT_EQ(query(second, check, "n"), (Value{regtype::Sz, sz("2")}));

    // Same length, written within the same second: still a different file.
    writeHive(RootKey::CurrentUser, "[HKEY_CURRENT_USER\\One]\n");
    EXPECT_EQ(subkeys(reg_, open(reg_, RootKey::CurrentUser, "")), std::vector<std::string>{"One"});
    writeHive(RootKey::CurrentUser, "[HKEY_CURRENT_USER\\Two]\n");
    EXPECT_EQ(subkeys(reg_, open(reg_, RootKey::CurrentUser, "")), std::vector<std::string>{"Two"});
    EXPECT_EQ(set(reg_, mine, "n", regtype::Sz, sz("x")), err::KeyDeleted);

    std::filesystem::remove(hiveFile(RootKey::CurrentUser));
    KeyHandle h;
    EXPECT_EQ(reg_.openKey(RootKey::CurrentUser, "Two", KeyAccess::Query, h), err::FileNotFound);
}

// A batch looks at the hive files once, at its first use of each: what another registry wrote
// before it shows. Meanwhile others wait to change anything; what this registry changes in it
// reaches the files, and after it every call looks again.
TEST_F(SandboxRegistryTest, ABatchLooksOnceAndKeepsOthersWaiting) {
    SandboxRegistry second(folder(), false);
    const KeyHandle theirs = create(second, RootKey::CurrentUser, "Shared");
    ASSERT_EQ(set(second, theirs, "n", regtype::Sz, sz("1")), err::Success);
    reg_.beginBatch();
    reg_.beginBatch();
    const KeyHandle mine = open(reg_, RootKey::CurrentUser, "Shared", KeyAccess::Full);
    EXPECT_EQ(query(reg_, mine, "n"), (Value{regtype::Sz, sz("1")}));
    EXPECT_EQ(set(reg_, mine, "m", regtype::Sz, sz("2")), err::Success);
    reg_.endBatch();
    std::thread writer([&] { EXPECT_EQ(set(second, theirs, "n", regtype::Sz, sz("3")), err::Success); });
    EXPECT_EQ(query(reg_, open(reg_, RootKey::CurrentUser, "Shared"), "n"), (Value{regtype::Sz, sz("1")}));
    reg_.endBatch();
    writer.join();
    const KeyHandle seen = open(reg_, RootKey::CurrentUser, "Shared");
    EXPECT_EQ(query(reg_, seen, "n"), (Value{regtype::Sz, sz("3")}));
    EXPECT_EQ(query(reg_, seen, "m"), (Value{regtype::Sz, sz("2")}));
    SandboxRegistry fresh(folder(), false);
    EXPECT_EQ(valueNames(fresh, open(fresh, RootKey::CurrentUser, "Shared")), (std::vector<std::string>{"n", "m"}));
}

// Two registries on one folder take turns changing the same values to data of the same length,
// as fast as they can: each sees the other's change at the next open, and what a registry
// opened afresh reads (hive file and journal) is what the writer holds.
TEST_F(SandboxRegistryTest, EveryChangeIsSeenAtOnceAndReadBackAsHeld) {
    SandboxRegistry second(folder(), false);
    const auto readsBackAsHeld = [this](SandboxRegistry& r, RootKey root) {
        const HiveKey* hive = r.currentKey(root, "");
        SandboxRegistry fresh(folder(), false);
        const HiveKey* reread = fresh.currentKey(root, "");
        return hive && reread && *hive == *reread;
    };
    set(reg_, create(reg_, RootKey::LocalMachine, "Software\\Gone\\Deep"), "x", regtype::Sz, sz("x"));
    for (int i = 0; i < 60; ++i) {
        SandboxRegistry& writer = i % 2 == 0 ? reg_ : second;
        SandboxRegistry& reader = i % 2 == 0 ? second : reg_;
        const std::string data = std::to_string(i % 10);
        const KeyHandle key = create(writer, RootKey::LocalMachine, "Software\\Shared\\K" + std::to_string(i % 3));
        ASSERT_EQ(set(writer, key, "v", regtype::Sz, sz(data)), err::Success);
        if (i % 7 == 0) {
            ASSERT_EQ(writer.deleteValue(key, "v"), err::Success);
        }
        if (i % 11 == 0) {
            ASSERT_EQ(writer.copyTree(open(writer, RootKey::LocalMachine, "Software\\Shared"), "", key), err::Success);
        }
        if (i == 30) {
            const KeyHandle software = open(writer, RootKey::LocalMachine, "Software", KeyAccess::Full);
            ASSERT_EQ(writer.deleteTree(software, "Gone"), err::Success);
        }
        writer.closeKey(key);
        ASSERT_TRUE(readsBackAsHeld(writer, RootKey::LocalMachine)) << "step " << i;

        const KeyHandle seen = open(reader, RootKey::LocalMachine, "Software\\Shared\\K" + std::to_string(i % 3));
        EXPECT_EQ(query(reader, seen, "v"), i % 7 == 0 ? std::nullopt : std::optional(Value{regtype::Sz, sz(data)}))
            << "step " << i;
        reader.closeKey(seen);
        ASSERT_TRUE(readsBackAsHeld(reader, RootKey::LocalMachine)) << "step " << i;
    }
    EXPECT_EQ(reg_.importFile("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Shared\\K1]\r\n\"v\"=-\r\n"), err::Success);
    EXPECT_TRUE(readsBackAsHeld(reg_, RootKey::LocalMachine));
    EXPECT_EQ(query(second, open(second, RootKey::LocalMachine, "Software\\Shared\\K1"), "v"), std::nullopt);
}

TEST_F(SandboxRegistryTest, AFailedSaveKeepsMemoryAsTheFileIs) {
    std::filesystem::create_directories(temp_.path());
    ASSERT_TRUE(writeFileAtomically(folder(), "not a folder"));
    KeyHandle h;
    EXPECT_EQ(reg_.createKey(RootKey::CurrentUser, "Lost", h), err::AccessDenied);
    EXPECT_FALSE(h);
    EXPECT_EQ(reg_.openKey(RootKey::CurrentUser, "Lost", KeyAccess::Query, h), err::FileNotFound);
}

// A hive kept as regedit's UTF-16LE export is read whole and written back in UTF-16LE.
TEST_F(SandboxRegistryTest, AUnicodeHiveStaysUnicodeAndLosesNothing) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\アプリ]\r\n"
                             "\"名前\"=\"値\"\r\n";
    writeHive(RootKey::CurrentUser, "\xFF\xFE" + utf8ToUtf16le(text));
    {
        // The hive file is written whole when the registry that changed it is done.
        SandboxRegistry reg(folder(), false);
        const KeyHandle app = open(reg, RootKey::CurrentUser, "Software\\アプリ", KeyAccess::Full);
        EXPECT_EQ(query(reg, app, "名前"), (Value{regtype::Sz, sz("値")}));
        ASSERT_EQ(set(reg, app, "新", regtype::Dword, le32(7)), err::Success);
        EXPECT_EQ(reg.closeKey(app), err::Success);
    }

    const std::string written = readWholeFile(hiveFile(RootKey::CurrentUser)).value_or("");
    ASSERT_TRUE(written.starts_with("\xFF\xFE"));
    const std::string decoded = utf16leToUtf8(std::string_view(written).substr(2));
    EXPECT_NE(decoded.find("\"名前\"=\"値\""), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("\"新\"=dword:00000007"), std::string::npos) << decoded;
    SandboxRegistry again(folder(), false);
    EXPECT_EQ(query(again, open(again, RootKey::CurrentUser, "Software\\アプリ"), "名前"), (Value{regtype::Sz, sz("値")}));
}

TEST_F(SandboxRegistryTest, ExportAndImportRegeditFiles) {
    set(reg_, create(reg_, RootKey::CurrentUser, "Software\\App\\Sub"), "v", regtype::Dword, le32(2));
    std::string text;
    EXPECT_EQ(reg_.exportKey(RootKey::CurrentUser, "software\\app", text), err::Success);
    EXPECT_EQ(text,
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\App]\n\n"
              "[HKEY_CURRENT_USER\\Software\\App\\Sub]\n\"v\"=dword:00000002\n\n");
    EXPECT_EQ(reg_.exportKey(RootKey::CurrentUser, "Software\\None", text), err::FileNotFound);

    const std::string file =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"a\"=\"1\"\r\n"
        "[-HKEY_CURRENT_USER\\Software\\App\\Sub]\r\n[HKEY_CURRENT_USER\\Software\\App]\r\n\"b\"=\"2\"\r\n";
    SandboxRegistry restricted(folder(), true);
    EXPECT_EQ(restricted.importFile(file), err::AccessDenied);
    KeyHandle h;
    EXPECT_EQ(restricted.openKey(RootKey::LocalMachine, "Software\\X", KeyAccess::Query, h), err::FileNotFound);
    EXPECT_EQ(reg_.importFile(file), err::Success);
    const KeyHandle app = open(reg_, RootKey::CurrentUser, "Software\\App");
    EXPECT_EQ(subkeys(reg_, app), std::vector<std::string>{});
    EXPECT_EQ(query(reg_, app, "b"), (Value{regtype::Sz, sz("2")}));
    EXPECT_EQ(query(reg_, open(reg_, RootKey::LocalMachine, "Software\\X"), "a"), (Value{regtype::Sz, sz("1")}));
}

}  // namespace
}  // namespace hastelyn::sandbox::test
