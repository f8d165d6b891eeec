// The recording layer on its own: how it groups what a run changed, and a dry run's overlay
// over a machine that must never be written.
#include <gtest/gtest.h>


#include "platform/Text.h"
#include "platform/recording/RecordingPlatform.h"

namespace hastelyn {
namespace {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
using recording::ChangeKind;
using recording::ChangeLog;
namespace win32error = platform::win32error;

std::vector<std::string> lines(const std::vector<recording::RowChanges>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows)
        for (const auto& c : r.changes)
            out.push_back(r.row + "|" + c.target + "|" + c.before.value_or("-") + "|" + c.after.value_or("-"));
    return out;
}

TEST(Recording, ChangesAreGroupedByRowAndWritesThatUndoThemselvesLeftOut) {
    ChangeLog log;
    log.record(ChangeKind::File, "C:\\restore.ini", std::nullopt, "");
    log.beginRow("System1");
    log.record(ChangeKind::Registry, "HKEY_LOCAL_MACHINE\\A\\x", "0", "1");
    log.recordCommand(ChangeKind::Command, "regsvr32 /s a.dll");
    log.record(ChangeKind::Registry, "hkey_local_machine\\a\\X", "1", "2");  // the same value
    log.beginRow("System2");
    log.record(ChangeKind::Profile, "C:\\boot.ini [boot loader] timeout", "30", "3");
    log.record(ChangeKind::Profile, "C:\\boot.ini [boot loader] timeout", "3", "30");
    log.beginRow("System3");
    log.record(ChangeKind::Registry, "HKEY_LOCAL_MACHINE\\A\\x", "2", "0");
    log.record(ChangeKind::Registry, "HKEY_LOCAL_MACHINE\\A\\y", std::nullopt, "");

    EXPECT_EQ(lines(log.byRow()), (std::vector<std::string>{"|C:\\restore.ini|-|", "System1|HKEY_LOCAL_MACHINE\\A\\x|0|2",
                                                            "System1|regsvr32 /s a.dll|-|-",
                                                            "System3|HKEY_LOCAL_MACHINE\\A\\x|2|0",
                                                            "System3|HKEY_LOCAL_MACHINE\\A\\y|-|"}));
    // Over the whole run x ends as it began; an empty value is still a value.
    EXPECT_EQ(lines(log.net()),
              (std::vector<std::string>{"|C:\\restore.ini|-|", "System3|HKEY_LOCAL_MACHINE\\A\\y|-|"}));
}

// A registry with nothing in it but its roots, which fails the test if anything is written.
class EmptyRegistry : public platform::Registry {
public:
    long openKey(RootKey, std::string_view subKey, KeyAccess, KeyHandle& out) override {
        if (!subKey.empty()) return win32error::FileNotFound;
        out = KeyHandle{1};
        return win32error::Success;
    }
    long createKey(RootKey, std::string_view, KeyHandle&) override { return written(); }
    long closeKey(KeyHandle) override { return win32error::Success; }
    long queryValue(KeyHandle, std::string_view, std::uint32_t*, std::uint8_t*, std::uint32_t*) override {
        return win32error::FileNotFound;
    }
    long setValue(KeyHandle, std::string_view, std::uint32_t, const std::uint8_t*, std::uint32_t) override { return written(); }
    long deleteValue(KeyHandle, std::string_view) override { return written(); }
    long enumKey(KeyHandle, std::uint32_t, std::string&) override { return win32error::NoMoreItems; }
    long enumValue(KeyHandle, std::uint32_t, std::string&) override { return win32error::NoMoreItems; }
    long deleteTree(KeyHandle, std::string_view) override { return written(); }
    long copyTree(KeyHandle, std::string_view, KeyHandle) override { return written(); }

private:
    long written() {
        ADD_FAILURE() << "a dry run wrote to the machine";
        return win32error::AccessDenied;
    }
};

std::string subkeys(platform::Registry& registry, RootKey root, std::string_view path) {
    KeyHandle key;
    if (registry.openKey(root, path, KeyAccess::Query, key) != win32error::Success) return "(none)";
    std::string names;
    std::string name;
    for (std::uint32_t i = 0; registry.enumKey(key, i, name) == win32error::Success; ++i) names += name + ";";
    EXPECT_EQ(registry.closeKey(key), win32error::Success);
    return names;
}

std::string text(platform::Registry& registry, std::string_view path, std::string_view name) {
    KeyHandle key;
    if (registry.openKey(RootKey::CurrentUser, path, KeyAccess::Query, key) != win32error::Success) return "(no key)";
    char data[64] = {};
    std::uint32_t size = sizeof data;
    const long result = registry.queryValue(key, name, nullptr, reinterpret_cast<std::uint8_t*>(data), &size);
    EXPECT_EQ(registry.closeKey(key), win32error::Success);
    return result == win32error::Success ? std::string(data) : "(no value)";
}

TEST(Recording, ADryRunsRegistryReadsItsOwnWritesAndWritesNothing) {
    EmptyRegistry machine;
    ChangeLog log;
    recording::RecordingRegistry registry(machine, recording::RecordingMode::DryRun, log);
    const auto setText = [&](KeyHandle key, std::string_view name, std::string_view value) {
        return registry.setValue(key, name, platform::regtype::Sz, reinterpret_cast<const std::uint8_t*>(value.data()),
                                 static_cast<std::uint32_t>(value.size() + 1));
    };
    KeyHandle made;
    ASSERT_EQ(registry.createKey(RootKey::CurrentUser, "Software\\Test\\Sub", made), win32error::Success);
    ASSERT_EQ(setText(made, "Name", "one"), win32error::Success);
    ASSERT_EQ(registry.closeKey(made), win32error::Success);
    ASSERT_EQ(registry.createKey(RootKey::CurrentUser, "Software\\Alpha", made), win32error::Success);
    ASSERT_EQ(registry.closeKey(made), win32error::Success);
    EXPECT_EQ(text(registry, "Software\\TEST\\sub", "name"), "one");
    EXPECT_EQ(subkeys(registry, RootKey::CurrentUser, "Software"), "Alpha;Test;");
    EXPECT_EQ(subkeys(registry, RootKey::LocalMachine, "Software"), "(none)");

    KeyHandle software;
    ASSERT_EQ(registry.openKey(RootKey::CurrentUser, "Software", KeyAccess::Full, software), win32error::Success);
    KeyHandle copy;
    ASSERT_EQ(registry.createKey(RootKey::CurrentUser, "Software\\Copy", copy), win32error::Success);
    ASSERT_EQ(registry.copyTree(software, "Test", copy), win32error::Success);
    ASSERT_EQ(registry.deleteTree(software, "Test"), win32error::Success);
    EXPECT_EQ(registry.deleteTree(software, "Test"), win32error::FileNotFound);
    EXPECT_EQ(subkeys(registry, RootKey::CurrentUser, "Software"), "Alpha;Copy;");
    EXPECT_EQ(text(registry, "Software\\Copy\\Sub", "Name"), "one");
    EXPECT_EQ(text(registry, "Software\\Test\\Sub", "Name"), "(no key)");
    // A key made again after its removal starts empty.
    ASSERT_EQ(registry.createKey(RootKey::CurrentUser, "Software\\Test\\Sub", made), win32error::Success);
    EXPECT_EQ(text(registry, "Software\\Test\\Sub", "Name"), "(no value)");
    EXPECT_EQ(registry.deleteValue(made, "Name"), win32error::FileNotFound);
    for (KeyHandle key : {made, copy, software}) EXPECT_EQ(registry.closeKey(key), win32error::Success);

    // A key opened for reading is not written through.
    KeyHandle readOnly;
    ASSERT_EQ(registry.openKey(RootKey::CurrentUser, "Software\\Copy", KeyAccess::Query, readOnly), win32error::Success);
    EXPECT_EQ(setText(readOnly, "Other", "x"), win32error::AccessDenied);
    EXPECT_EQ(registry.closeKey(readOnly), win32error::Success);

    // The value made and removed again within the run is no change.
    EXPECT_EQ(lines(log.byRow()), std::vector<std::string>{"|HKEY_CURRENT_USER\\Software\\Copy\\Sub\\Name|-|one"});
}

// Profile files of one section, kept in memory, which fail the test if written.
class OneSectionProfiles : public platform::ProfileFiles {
public:
    std::string getString(std::string_view, std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::size_t) override {
        if (!text::equalsNoCase(section, "boot loader")) return std::string(defaultValue);
        for (const auto& [k, v] : keys_)
            if (text::equalsNoCase(k, key)) return v;
        return std::string(defaultValue);
    }
    std::vector<std::string> getKeyNames(std::string_view, std::string_view section, std::size_t) override {
        std::vector<std::string> names;
        if (text::equalsNoCase(section, "boot loader"))
            for (const auto& kv : keys_) names.push_back(kv.first);
        return names;
    }
    platform::CallResult writeString(std::string_view, std::string_view, std::optional<std::string_view>,
                                     std::optional<std::string_view>) override {
        ADD_FAILURE() << "a dry run wrote a profile file";
        return platform::CallResult(win32error::AccessDenied);
    }
    platform::CallResult writeStrings(std::string_view, const std::vector<platform::ProfileWrite>&) override {
        ADD_FAILURE() << "a dry run wrote a profile file";
        return platform::CallResult(win32error::AccessDenied);
    }

private:
    std::vector<std::pair<std::string, std::string>> keys_ = {{"timeout", "30"}, {"default", "multi(0)"}};
};

TEST(Recording, ADryRunsProfileKeysAreSeenByItsOwnReads) {
    OneSectionProfiles machine;
    ChangeLog log;
    recording::RecordingProfiles profiles(machine, recording::RecordingMode::DryRun, log);
    const std::string boot = "C:\\boot.ini";
    ASSERT_TRUE(profiles.writeString(boot, "boot loader", "TIMEOUT", "3").ok());
    ASSERT_TRUE(profiles.writeString(boot, "boot loader", "default", std::nullopt).ok());
    ASSERT_TRUE(profiles.writeStrings(boot, {{"boot loader", "new", "1"}, {"other", "a", "b"}}).ok());
    EXPECT_EQ(profiles.getString(boot, "Boot Loader", "timeout", "?", 64), "3");
    EXPECT_EQ(profiles.getString(boot, "boot loader", "default", "?", 64), "?");
    EXPECT_EQ(profiles.getKeyNames(boot, "boot loader", 1024), (std::vector<std::string>{"timeout", "new"}));
    // A buffer too small for every name holds those that fit.
    EXPECT_EQ(profiles.getKeyNames(boot, "boot loader", 10), (std::vector<std::string>{"timeout"}));
    ASSERT_TRUE(profiles.writeString(boot, "boot loader", std::nullopt, std::nullopt).ok());
    EXPECT_TRUE(profiles.getKeyNames(boot, "boot loader", 1024).empty());
    EXPECT_EQ(profiles.getString(boot, "other", "a", "?", 64), "b");
    EXPECT_EQ(lines(log.net()), (std::vector<std::string>{"|C:\\boot.ini [boot loader] TIMEOUT|30|-",
                                                          "|C:\\boot.ini [boot loader] default|multi(0)|-",
                                                          "|C:\\boot.ini [other] a|-|b"}));
}

}  // namespace
}  // namespace hastelyn
