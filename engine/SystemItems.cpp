// The System rows: memory, subsystem heap, USB idle, the components sysoc.inf hides, and the
// retired update block.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/ExactValues.h"
#include "engine/RegistryPlaces.h"
#include "engine/RestoreRefusal.h"
#include "engine/ValueRow.h"
#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using foundation::kUnfitType;
using platform::RootKey;

constexpr std::string_view kSection = "システム";
constexpr std::string_view kComponentsMemory = "システム9";  // settings file and restore point
constexpr std::string_view kSubSystemsKey = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems";
constexpr std::string_view kUsbClassNt =
    "\\SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}";
constexpr std::string_view kUsbClass9x = "\\System\\CurrentControlSet\\Services\\Class\\Usb";
constexpr std::string_view kUpdateKey = "\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate";
constexpr std::string_view kComponents = "Components";
constexpr std::string_view kHide = "hide";
constexpr std::string_view kSysocRow = "[システム]9";

// ③: the desktop heap sizes in the "Windows" command line of the subsystems key.
class DesktopHeapRow : public TweakItem {
public:
    bool inForce(Session& session) const override { return read(session).find("2048") != std::string::npos; }

    bool apply(Session& session, bool ticked) const override {
        std::string text = read(session);
        const std::string_view from = ticked ? "3072" : "2048";
        const std::string_view to = ticked ? "2048" : "3072";
        if (const std::size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
        session.registry.WriteRegValue(RootKey::LocalMachine, kSubSystemsKey, "Windows", text, RegType::ExString);
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "3", read(session));
        backupExactValue(session, file, exactKey(kSection, "3", kValue), kValue);
    }

    void restore(Session& session, RestorePointReader& file) const override {
        session.registry.WriteRegValue(RootKey::LocalMachine, kSubSystemsKey, "Windows", file.get(kSection, "3"),
                                       RegType::ExString);
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        restoreExactValue(session, file, exactKey(kSection, "3", kValue), kValue);
    }

    // The line starts the Windows subsystem and names the libraries it loads: a restore may
    // only swap the heap sizes this row swaps in the line there now.
    void checkRestore(Session& session, RestorePointReader& file) const override {
        const std::string now = read(session);
        const std::string saved = file.get(kSection, "3");
        if (saved != kNull && saved != kUnfitType && !onlyHeapSizesDiffer(saved, now))
            throw restoreRefusal(kRow, kSection, "3");
        const std::string key = exactKey(kSection, "3", kValue);
        const std::optional<ExactEntry> entry = exactSectionApplies(session, file) ? readExactEntry(file, key) : std::nullopt;
        if (!entry) return;
        const std::optional<foundation::RegData> data =
            session.registry.ReadRegData(kValue.root, foundation::apiKeyPath(kValue.key), kValue.name);
        // Gone only where it is gone already; data as it is now, or a string that the line now
        // would become by the swaps.
        const bool fits = entry->absent ? !data
                                        : (data && entry->data == *data) ||
                                              (isString(entry->data) && onlyHeapSizesDiffer(lineOf(entry->data), now));
        if (!fits) throw restoreRefusal(kRow, kExactSection, key);
    }

private:
    static constexpr RegValue kValue{RootKey::LocalMachine, kSubSystemsKey, "Windows", RegType::String};
    static constexpr std::string_view kRow = "[システム]3";

    // The two texts are the same but where one holds "2048" or "3072" and the other one of the
    // two at the same place. A text the row could not have read ("NULL", "UnfitType") matches
    // nothing.
    static bool onlyHeapSizesDiffer(std::string_view a, std::string_view b) {
        if (b == kNull || b == kUnfitType || a.size() != b.size()) return false;
        const auto isSize = [](std::string_view text, std::size_t at) {
            return text.compare(at, 4, "2048") == 0 || text.compare(at, 4, "3072") == 0;
        };
        for (std::size_t i = 0; i < a.size();) {
            if (isSize(a, i) && isSize(b, i)) {
                i += 4;
            } else if (a[i] == b[i]) {
                ++i;
            } else {
                return false;
            }
        }
        return true;
    }
    static bool isString(const foundation::RegData& data) {
        return data.type == platform::regtype::Sz || data.type == platform::regtype::ExpandSz;
    }
    // A string's text: its ending NUL goes; a NUL within it keeps it, so that it matches no line.
    static std::string lineOf(const foundation::RegData& data) {
        std::string text = data.bytes;
        if (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }

    static std::string read(Session& session) {
        return session.registry.ReadRegValue(kValue.root, kValue.key, kValue.name, kValue.type);
    }
};

// ⑦: "IdleEnable" in every USB device key "0000", "0001", ... up to "0019", as far as they
// run without a gap.
class UsbIdleRow : public TweakItem {
public:
    bool inForce(Session& session) const override {
        bool all = true;
        walk(session, [&](int, const std::string& key) {
            all = read(session, key) == "1";
            return all;
        });
        return all;
    }

    bool apply(Session& session, bool ticked) const override {
        walk(session, [&](int, const std::string& key) {
            if (ticked)
                session.registry.WriteRegValue(RootKey::LocalMachine, key, kValue, "1", RegType::DWORD);
            else
                session.registry.DeleteRegValue(RootKey::LocalMachine, key, kValue);
            return true;
        });
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        walk(session, [&](int n, const std::string& key) {
            file.put(kSection, restoreKey(n), read(session, key));
            backupExactValue(session, file, exactKey(kSection, restoreKey(n), value(key)), value(key));
            return true;
        });
    }

    void restore(Session& session, RestorePointReader& file) const override {
        walk(session, [&](int n, const std::string& key) {
            restoreValue(session, value(key), file.get(kSection, restoreKey(n)), RestoreRule::WriteOrDelete);
            return true;
        });
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        walk(session, [&](int n, const std::string& key) {
            restoreExactValue(session, file, exactKey(kSection, restoreKey(n), value(key)), value(key));
            return true;
        });
    }
    void checkRestore(Session& session, RestorePointReader& file) const override {
        walk(session, [&](int n, const std::string& key) {
            checkExactValue(session, file, exactKey(kSection, restoreKey(n), value(key)), value(key), "[システム]7");
            return true;
        });
    }

private:
    static constexpr std::string_view kValue = "IdleEnable";
    static constexpr int kMaxDevices = 20;

    // Calls visit(n, device key) for each device key in turn until one is missing or visit
    // returns false.
    template <typename Visit>
    static void walk(Session& session, Visit visit) {
        const std::string_view classKey = session.codes.ntFamily() ? kUsbClassNt : kUsbClass9x;
        for (int n = 0; n < kMaxDevices; ++n) {
            char name[8];
            std::snprintf(name, sizeof name, "%.4d", n);
            if (!session.registry.RegKeyOrValueExists(RootKey::LocalMachine, classKey, name, Exists::Key)) return;
            if (!visit(n, std::string(classKey) + "\\" + name)) return;
        }
    }
    static std::string read(Session& session, const std::string& key) {
        return session.registry.ReadRegValue(RootKey::LocalMachine, key, kValue, RegType::DWORD);
    }
    // The device key's value; the key text must outlive it.
    static RegValue value(const std::string& key) { return {RootKey::LocalMachine, key, kValue, RegType::DWORD}; }
    static std::string restoreKey(int n) { return "7." + std::to_string(n); }
};

// ⑨: the word "hide" in the component lines of sysoc.inf keeps components out of the
// component set-up. Taking it out remembers each line as it was in the settings file.
class HiddenComponentsRow : public TweakItem {
public:
    bool inForce(Session& session) const override {
        if (!found(session)) return true;
        for (const std::string& key : componentKeys(session))
            if (text::containsNoCase(session.profiles.ReadProfileValue(session.paths.sysoc, kComponents, key), kHide))
                return false;
        return true;
    }

    bool apply(Session& session, bool ticked) const override {
        if (!found(session)) {
            session.dialogs.error("", fileNotFoundText(kSysocRow));
            return false;
        }
        if (ticked) {
            for (const std::string& key : componentKeys(session))
                takeOutHide(session, key, session.profiles.ReadProfileValue(session.paths.sysoc, kComponents, key));
        } else {
            for (const std::string& key : memoryKeys(session)) putBack(session, key);
        }
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        for (const std::string& key : memoryKeys(session))
            file.put(kComponentsMemory, key, session.settings.read(kComponentsMemory, key));
    }

    void restore(Session& session, RestorePointReader& file) const override {
        if (!found(session)) {
            session.dialogs.error("", fileNotFoundText(kSysocRow));
            return;
        }
        // The memory ends as the restore point's: lines out since the backup go back in and
        // are forgotten, and the lines out at backup time are taken out again and remembered.
        std::vector<std::string> out;
        for (const std::string& key : file.keys(kComponentsMemory))
            if (text::containsNoCase(file.get(kComponentsMemory, key), kHide)) out.push_back(key);
        for (const std::string& key : memoryKeys(session)) {
            if (std::any_of(out.begin(), out.end(), [&](const std::string& o) { return text::equalsNoCase(o, key); }))
                continue;
            putBack(session, key);
        }
        for (const std::string& key : out) takeOutHide(session, key, file.get(kComponentsMemory, key));
    }

    // sysoc.inf names the set-up library of each component: a restore may only take out again
    // a "hide" field this row took out of a line that is there now. Every remembered line is the
    // line now, or the line now with that one field more.
    void checkRestore(Session& session, RestorePointReader& file) const override {
        if (!found(session)) return;
        for (const std::string& key : file.keys(kComponentsMemory)) {
            const std::string saved = file.get(kComponentsMemory, key);
            const std::string now = session.profiles.ReadProfileValue(session.paths.sysoc, kComponents, key);
            if (now == kNull || (saved != now && !(hidesAField(saved) && withoutHide(saved) == now)))
                throw restoreRefusal(kSysocRow, kComponentsMemory, key);
        }
    }

private:
    // Copies of the key lists: the lists are owned by their pointers, which a range-for over
    // "*pointer" would let go before the loop runs.
    static std::vector<std::string> componentKeys(Session& session) {
        return *session.profiles.GetProfileSectionKeys(session.paths.sysoc, kComponents);
    }
    static std::vector<std::string> memoryKeys(Session& session) { return *session.settings.keys(kComponentsMemory); }
    // A path that was found at start and a file still there.
    static bool found(Session& session) { return foundation::fileFound(session.platform.files, session.paths.sysoc); }
    // The line's first "hide" (any case) is a field of its own, between commas or the line's ends.
    static bool hidesAField(std::string_view line) {
        const std::size_t at = text::findNoCase(line, kHide);
        if (at == std::string_view::npos) return false;
        const std::size_t end = at + kHide.size();
        return (at == 0 || line[at - 1] == ',') && (end == line.size() || line[end] == ',');
    }
    // The first "hide" in any case goes; the commas around it stay.
    static std::string withoutHide(std::string line) {
        if (const std::size_t at = text::findNoCase(line, kHide); at != std::string::npos) line.erase(at, kHide.size());
        return line;
    }
    // A component line with the word loses it; the line as it was is remembered.
    static void takeOutHide(Session& session, const std::string& key, const std::string& line) {
        if (!text::containsNoCase(line, kHide)) return;
        session.settings.write(kComponentsMemory, key, line);
        session.profiles.WriteProfileValue(session.paths.sysoc, kComponents, key, withoutHide(line));
    }
    // A remembered line goes back into the file and is forgotten.
    static void putBack(Session& session, const std::string& key) {
        session.profiles.WriteProfileValue(session.paths.sysoc, kComponents, key,
                                           session.settings.read(kComponentsMemory, key));
        session.settings.remove(kComponentsMemory, key);
    }
};

// ⑩: a retired row that only shows whether the update to XP SP2 is blocked. It never changes;
// on XP every apply pass lifts the block instead.
class UpdateBlockRow : public ValueRow {
public:
    UpdateBlockRow()
        : ValueRow({.section = kSection,
                    .number = "10",
                    .values = {{.root = RootKey::LocalMachine, .key = kUpdateKey,
                                .name = "DoNotAllowXPSP2", .type = RegType::DWORD}},
                    .inForceTexts = {"1"},
                    .tickedText = {},
                    .untickedText = {},
                    .restore = RestoreRule::WriteOrDelete}) {}

    bool apply(Session&, bool) const override { return false; }
    bool changesWhenDisabled() const override { return true; }
    void everyPass(Session& session) const override {
        if (session.codes.edition == "XP")
            session.registry.DeleteRegValue(RootKey::LocalMachine, kUpdateKey, "DoNotAllowXPSP2");
    }
};

}  // namespace

ItemList makeSystemItems() {
    constexpr RootKey hklm = RootKey::LocalMachine;
    ItemList items;
    items.push_back(valueRow({.section = kSection,
                              .number = "1",
                              .values = {{.root = hklm, .key = kMemoryKey,
                                          .name = "DisablePagingExecutive", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = "0",
                              .restore = RestoreRule::Write}));
    items.push_back(valueRow(
        {.section = kSection,
         .number = "2",
         .values = {{.root = hklm, .key = kMemoryKey, .name = "LargeSystemCache", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = "0",
         .restore = RestoreRule::Write}));
    items.push_back(std::make_unique<DesktopHeapRow>());
    items.push_back(valueRow({.section = kSection,
                              .number = "4",
                              .values = {{.root = hklm, .key = kMemoryKey,
                                          .name = "IoPageLockLimit", .type = RegType::DWORD}},
                              .inForceTexts = {"2097152"},
                              .tickedText = "2097152",
                              .untickedText = "0",
                              .restore = RestoreRule::Write}));
    items.push_back(valueRow({.section = kSection,
                              .number = "5",
                              .values = {{.root = hklm, .key = "\\SYSTEM\\CurrentControlSet\\Control\\PriorityControl",
                                          .name = "IRQ8Priority", .type = RegType::DWORD}},
                              .inForceTexts = {"2"},
                              .tickedText = "2",
                              .untickedText = std::nullopt,
                              .restore = RestoreRule::WriteOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "6",
                              .values = {{.root = hklm, .key = kExplorerKey,
                                          .name = "AlwaysUnloadDLL", .type = RegType::DWORD}},
                              .inForceTexts = {"0", kNull},
                              .tickedText = std::nullopt,
                              .untickedText = "1",
                              .restore = RestoreRule::WriteOrDelete}));
    items.push_back(std::make_unique<UsbIdleRow>());
    items.push_back(valueRow({.section = kSection,
                              .number = "8",
                              .values = {{.root = RootKey::CurrentUser, .key = kPolicyKey,
                                          .name = "NoLowDiskSpaceChecks", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = RestoreRule::WriteOrDelete}));
    items.push_back(std::make_unique<HiddenComponentsRow>());
    items.push_back(std::make_unique<UpdateBlockRow>());
    return items;
}

}  // namespace hastelyn::engine
