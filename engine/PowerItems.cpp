// The start-up and shutdown rows: registry values, and two edits of the boot file (the logo
// switch of the default system and the time the OS selection menu waits).
#include <memory>
#include <string>

#include "engine/BootFile.h"
#include "engine/ExactValues.h"
#include "engine/RegistryPlaces.h"
#include "engine/RestoreRefusal.h"
#include "engine/ValueRow.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

constexpr std::string_view kSection = "起動・終了";
constexpr std::string_view kSystemPolicyKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\system";
constexpr std::string_view kLogoRow = "[起動・終了]5";
constexpr std::string_view kTimeoutRow = "[起動・終了]10";
constexpr std::string_view kNoGuiBoot = " /noguiboot";

// A key of the boot file that a row writes and that was not there at backup time is named in the
// restore point's exact section as "absent", so that the restore removes it again (the
// documented key can only leave it as the row wrote it).
void backupAbsentKey(const BootFile& boot, RestorePointWriter& file, std::string_view rowKey,
                     std::string_view section, std::string_view key) {
    if (boot.found() && boot.read(section, key) == kNull) file.putExact(exactKey(kSection, rowKey, key), kExactAbsent);
}
void restoreAbsentKey(BootFile& boot, RestorePointReader& file, std::string_view rowKey, std::string_view section,
                      std::string_view key) {
    if (boot.found() && file.get(kExactSection, exactKey(kSection, rowKey, key)) == kExactAbsent)
        boot.remove(section, key);
}

// ⑤: no start-up logo. NT family: " /noguiboot" on the default system's line of boot.ini;
// 9x family: "Logo=0" in Msdos.sys.
//
// Without a boot file the error is shown and the flag flips all the same. A boot.ini that has
// no default, or whose default names no line, gets nothing written (a line made up under a key
// "NULL" would only be garbage) and the row keeps its flag.
class BootLogoRow : public TweakItem {
public:
    bool inForce(Session& session) const override {
        const BootFile boot(session);
        if (boot.ntFamily()) return text::containsNoCase(boot.defaultLine(), kNoGuiBoot);
        return boot.logo() == "0";
    }

    bool apply(Session& session, bool ticked) const override {
        BootFile boot(session);
        if (!boot.found()) {
            session.dialogs.error("", fileNotFoundText(kLogoRow));
            return true;
        }
        if (!boot.ntFamily()) {
            boot.write(BootFile::kOptionsSection, "Logo", ticked ? "0" : "1");
            return true;
        }
        const std::string key = boot.defaultKey();
        if (key == kNull) return false;
        std::string line = boot.systemLine(key);
        if (line == kNull) return false;
        if (ticked) {
            line += kNoGuiBoot;
        } else if (const std::size_t at = line.find(kNoGuiBoot); at != std::string::npos) {
            // Exact case: a switch written " /NOGUIBOOT" by someone else stays.
            line.erase(at, kNoGuiBoot.size());
        }
        boot.write(BootFile::kSystemsSection, key, line);
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        const BootFile boot(session);
        file.put(kSection, "5", boot.ntFamily() ? boot.defaultLine() : boot.logo());
        // A 9x boot file without "Logo" gets one from a tick: it goes again on restore.
        if (!boot.ntFamily()) backupAbsentKey(boot, file, "5", BootFile::kOptionsSection, "Logo");
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        BootFile boot(session);
        if (!boot.ntFamily()) restoreAbsentKey(boot, file, "5", BootFile::kOptionsSection, "Logo");
    }

    // A restore point of the other family holds a "Logo" text where a boot line is meant, or the
    // other way round: the row is left as it is.
    void restore(Session& session, RestorePointReader& file) const override {
        if (takenOnOtherFamily(session, file)) return;
        BootFile boot(session);
        if (!boot.found()) {
            session.dialogs.error("", fileNotFoundText(kLogoRow));
            return;
        }
        const std::string saved = file.get(kSection, "5");
        if (!boot.ntFamily()) {
            boot.write(BootFile::kOptionsSection, "Logo", saved);
            return;
        }
        // The line goes under the key the default names now. The restore point's reader took
        // the quotes off a line that is only a title, as the boot file's reader does.
        if (const std::string key = boot.defaultKey(); key != kNull)
            boot.write(BootFile::kSystemsSection, key, BootFile::withTitleQuotes(saved));
    }

    // On NT the line names this PC's system, partition and switches. From another PC's restore
    // point only the row's switch is taken: added to this PC's line or taken off it.
    bool holdsPcOwnValues(Session& session) const override { return session.codes.ntFamily(); }
    void restoreSettingOnly(Session& session, RestorePointReader& file) const override {
        const std::string saved = file.get(kSection, "5");
        if (saved == kNull || takenOnOtherFamily(session, file)) return;
        const bool ticked = text::containsNoCase(saved, kNoGuiBoot);
        if (inForce(session) != ticked) apply(session, ticked);
    }

    // The line tells the loader which kernel, layer and switches to boot with: a restore may
    // only put back the default line as it is now with or without this row's switch. On 9x,
    // "Logo" takes the row's own texts or stays as it is.
    void checkRestore(Session& session, RestorePointReader& file) const override {
        const BootFile boot(session);
        const std::string saved = file.get(kSection, "5");
        if (!boot.found() || saved == kNull || takenOnOtherFamily(session, file)) return;
        bool fits = false;
        if (!boot.ntFamily()) {
            fits = saved == "0" || saved == "1" || saved == boot.logo();
        } else {
            if (boot.defaultKey() == kNull) return;  // nothing is written
            const std::string now = boot.defaultLine();
            fits = now != kNull && BootFile::withoutSwitch(BootFile::withTitleQuotes(saved), kNoGuiBoot) ==
                                       BootFile::withoutSwitch(now, kNoGuiBoot);
        }
        if (!fits) throw restoreRefusal(kLogoRow, kSection, "5");
    }
};

// ⑩: the OS selection menu waits 5 seconds. Without a boot file the error is shown and the row
// keeps its flag, so it is tried again at the next apply.
class BootMenuTimeoutRow : public TweakItem {
public:
    bool inForce(Session& session) const override { return BootFile(session).timeout() == "5"; }

    bool apply(Session& session, bool ticked) const override {
        BootFile boot(session);
        if (!boot.found()) {
            session.dialogs.error("", fileNotFoundText(kTimeoutRow));
            return false;
        }
        boot.write(BootFile::kLoaderSection, "timeout", ticked ? "5" : "30");
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        const BootFile boot(session);
        file.put(kSection, "10", boot.timeout());
        backupAbsentKey(boot, file, "10", BootFile::kLoaderSection, "timeout");
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        BootFile boot(session);
        restoreAbsentKey(boot, file, "10", BootFile::kLoaderSection, "timeout");
    }

    void restore(Session& session, RestorePointReader& file) const override {
        BootFile boot(session);
        if (!boot.found()) {
            session.dialogs.error("", fileNotFoundText(kTimeoutRow));
            return;
        }
        boot.write(BootFile::kLoaderSection, "timeout", file.get(kSection, "10"));
    }

    // The row's own "5" and "30", the text there now, or another wait in whole seconds as a
    // user sets it (at most three digits, no sign: never the endless wait of "-1").
    void checkRestore(Session& session, RestorePointReader& file) const override {
        const BootFile boot(session);
        const std::string saved = file.get(kSection, "10");
        if (!boot.found() || saved == kNull || saved == boot.timeout()) return;
        const bool seconds = !saved.empty() && saved.size() <= 3 &&
                             saved.find_first_not_of("0123456789") == std::string::npos;
        if (!seconds) throw restoreRefusal(kTimeoutRow, kSection, "10");
    }
};

}  // namespace

ItemList makePowerItems() {
    constexpr RootKey hklm = RootKey::LocalMachine;
    constexpr RootKey hkcu = RootKey::CurrentUser;
    constexpr RestoreRule write = RestoreRule::Write;
    constexpr RestoreRule writeOrDelete = RestoreRule::WriteOrDelete;
    ItemList items;
    items.push_back(valueRow(
        {.section = kSection,
         .number = "1",
         .values = {{.root = hklm, .key = "\\SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction",
                     .name = "Enable", .type = RegType::String}},
         .inForceTexts = {"Y"},
         .tickedText = "Y",
         .untickedText = "N",
         .restore = write}));
    items.push_back(valueRow({.section = kSection,
                              .number = "2",
                              .values = {{.root = hklm, .key = "\\SYSTEM\\CurrentControlSet\\Control",
                                          .name = "WaitToKillServiceTimeout", .type = RegType::String}},
                              .inForceTexts = {"1000"},
                              .tickedText = "1000",
                              .untickedText = "20000",
                              .restore = write}));
    items.push_back(valueRow(
        {.section = kSection,
         .number = "3",
         .values = {{.root = hkcu, .key = kPolicyKey, .name = "ClearRecentDocsOnExit", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = std::nullopt,
         .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "4",
                              .values = {{.root = hklm, .key = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                                          .name = "KeepRasConnections", .type = RegType::String}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(std::make_unique<BootLogoRow>());
    items.push_back(
        valueRow({.section = kSection,
                  .number = "6",
                  .values = {{.root = hkcu, .key = kDesktopKey, .name = "AutoEndTasks", .type = RegType::String}},
                  .inForceTexts = {"1"},
                  .tickedText = "1",
                  .untickedText = "0",
                  .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "7",
                              .values = {{.root = hkcu, .key = kDesktopKey,
                                          .name = "WaitToKillAppTimeout", .type = RegType::String}},
                              .inForceTexts = {"3000"},
                              .tickedText = "3000",
                              .untickedText = "20000",
                              .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "8",
                              .values = {{.root = hklm, .key = kSystemPolicyKey,
                                          .name = "SynchronousMachineGroupPolicy", .type = RegType::DWORD},
                                         {.root = hklm, .key = kSystemPolicyKey,
                                          .name = "SynchronousUserGroupPolicy", .type = RegType::DWORD}},
                              .inForceTexts = {"0"},
                              .tickedText = "0",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(valueRow(
        {.section = kSection,
         .number = "9",
         .values = {{.root = hklm, .key = kMemoryKey, .name = "ClearPageFileAtShutdown", .type = RegType::DWORD}},
         .inForceTexts = {"0"},
         .tickedText = "0",
         .untickedText = "1",
         .restore = write}));
    items.push_back(std::make_unique<BootMenuTimeoutRow>());
    return items;
}

}  // namespace hastelyn::engine
