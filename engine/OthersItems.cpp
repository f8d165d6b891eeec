// The rows of the page "その他": media player history, error reporting, download connections,
// automatic updates, shortcut link tracking, menu animation, CD auto-run, shortcut names and the
// messenger links of the mail client and the browser.
#include <optional>
#include <string>
#include <utility>

#include "engine/ExactValues.h"
#include "engine/RegistryPlaces.h"
#include "engine/TweakItem.h"
#include "engine/ValueRow.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using foundation::kUnfitType;
using platform::RootKey;

constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKLM = RootKey::LocalMachine;

constexpr std::string_view kSection = "その他";  // restore point
constexpr std::string_view kSettingsSection = "その他";

constexpr std::string_view kInternetKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

bool onNt(const Session& session) { return session.codes.ntFamily(); }
bool onXp(const Session& session) { return session.codes.edition == "XP"; }

// A row whose values depend on the Windows it runs on: one described row or the other, chosen
// at the moment of each read, apply, backup and restore.
class ChosenRow final : public TweakItem {
public:
    ChosenRow(bool (*useFirst)(const Session&), ValueRowSpec first, ValueRowSpec second)
        : useFirst_(useFirst), first_(std::move(first)), second_(std::move(second)) {}

    bool inForce(Session& session) const override { return row(session).inForce(session); }
    bool apply(Session& session, bool ticked) const override { return row(session).apply(session, ticked); }
    void backup(Session& session, RestorePointWriter& file) const override { row(session).backup(session, file); }
    void restore(Session& session, RestorePointReader& file) const override { row(session).restore(session, file); }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        row(session).restoreExact(session, file);
    }
    void checkRestore(Session& session, RestorePointReader& file) const override {
        row(session).checkRestore(session, file);
    }
    RowScope scope(Session& session) const override { return row(session).scope(session); }

private:
    const ValueRow& row(const Session& session) const { return useFirst_(session) ? first_ : second_; }

    bool (*useFirst_)(const Session&);
    ValueRow first_;
    ValueRow second_;
};

// ⑥ The menu and list effects switched off through the user preference mask. The text form
// holds at most 4 bytes; the mask of the NT family is longer and reads "UnfitType". Its bytes
// are kept beside the documented "6" so that unticking brings the user's own mask back.
class MenuAnimationRow final : public TweakItem {
public:
    RowScope scope(Session& /*session*/) const override { return RowScope::User; }
    bool inForce(Session& session) const override { return read(session) == "000000B0"; }

    bool apply(Session& session, bool ticked) const override {
        const RegValue mask = value(session);
        if (ticked) {
            const std::string former = read(session);
            if (former != kNull) {
                session.settings.write(kSettingsSection, "6", former);
                keepLongMask(session, mask, former);
            }
            session.registry.WriteRegValue(mask.root, mask.key, mask.name, "000000B0", mask.type);
        } else {
            const std::string former = session.settings.read(kSettingsSection, "6");
            if (former == kUnfitType)
                writeLongMask(session, mask, session.settings.read(kSettingsSection, kLongMaskKey));
            else
                session.registry.WriteRegValue(mask.root, mask.key, mask.name, former, mask.type);
        }
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "6", read(session));
        const RegValue mask = value(session);
        backupExactValue(session, file, exactKey(kSection, "6", mask), mask);
    }
    void restore(Session& session, RestorePointReader& file) const override {
        restoreValue(session, value(session), file.get(kSection, "6"), RestoreRule::Write);
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        const RegValue mask = value(session);
        restoreExactValue(session, file, exactKey(kSection, "6", mask), mask);
    }
    void checkRestore(Session& session, RestorePointReader& file) const override {
        const RegValue mask = value(session);
        checkBinaryText(file, kSection, "6", "[その他]6");
        checkExactValue(session, file, exactKey(kSection, "6", mask), mask, "[その他]6");
    }

private:
    // The former mask's bytes in registry order, two hexadecimal digits each.
    static constexpr std::string_view kLongMaskKey = "6Bytes";

    static RegValue value(const Session& session) {
        return {HKCU, kDesktopKey, onNt(session) ? "UserPreferencesMask" : "UserPreferenceMask", RegType::Binary};
    }
    static std::string read(Session& session) {
        const RegValue mask = value(session);
        return session.registry.ReadRegValue(mask.root, mask.key, mask.name, mask.type);
    }

    // A binary mask too long for the text form keeps its bytes; any other former value leaves
    // no bytes behind, so that they can never stand for a later one.
    static void keepLongMask(Session& session, const RegValue& mask, const std::string& former) {
        const std::optional<foundation::RegData> data = session.registry.ReadRegData(mask.root, mask.key, mask.name);
        if (former == kUnfitType && data && data->type == platform::regtype::Binary && !data->bytes.empty())
            session.settings.write(kSettingsSection, kLongMaskKey, hexText(data->bytes));
        else if (session.settings.read(kSettingsSection, kLongMaskKey) != kNull)
            session.settings.remove(kSettingsSection, kLongMaskKey);
    }

    // Writes the kept bytes back; nothing when none were kept or the text is not theirs.
    static void writeLongMask(Session& session, const RegValue& mask, const std::string& text) {
        if (text == kNull || text.empty()) return;
        if (std::optional<std::string> bytes = bytesOfHex(text))
            session.registry.WriteRegData(mask.root, mask.key, mask.name,
                                          {platform::regtype::Binary, std::move(*bytes)});
    }
};

// ⑩ The messenger button of the browser, switched off by renaming its extension key aside
// under a name with a leading semicolon.
class MessengerButtonRow final : public TweakItem {
public:
    bool inForce(Session& session) const override { return !active(session); }
    bool apply(Session& session, bool ticked) const override {
        rename(session, ticked);
        return true;
    }
    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "10", active(session) ? "true" : "false");
    }
    void restore(Session& session, RestorePointReader& file) const override {
        const std::string saved = file.get(kSection, "10");
        if (recordsPresence(saved)) rename(session, saved == "false");
    }

private:
    static bool active(Session& session) {
        return session.registry.RegKeyOrValueExists(HKLM, kBrowserExtensionsKey, kMessengerButton, Exists::Key);
    }
    static void rename(Session& session, bool aside) {
        const std::string activeKey = extensionKey(kMessengerButton);
        const std::string asideKey = extensionKey(kMessengerButtonAside);
        if (aside)
            session.registry.MoveRegKey(HKLM, activeKey, asideKey);
        else
            session.registry.MoveRegKey(HKLM, asideKey, activeKey);
    }
    static std::string extensionKey(std::string_view name) {
        return std::string(kBrowserExtensionsKey) + "\\" + std::string(name);
    }
};

}  // namespace

ItemList makeOthersItems() {
    constexpr RestoreRule write = RestoreRule::Write;
    constexpr RestoreRule writeOrDelete = RestoreRule::WriteOrDelete;
    ItemList items;
    // ① No history of played files.
    items.push_back(valueRow({.section = kSection,
                              .number = "1",
                              .values = {{.root = HKCU, .key = "\\Software\\Microsoft\\MediaPlayer\\Preferences",
                                          .name = "DisableMRU", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = "0",
                              .restore = writeOrDelete}));
    // ② No error report after a crash: XP has a setting of its own, the others the browser's.
    items.push_back(std::make_unique<ChosenRow>(
        onXp,
        ValueRowSpec{.section = kSection,
                     .number = "2",
                     .values = {{.root = HKLM, .key = "\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting",
                                 .name = "DoReport", .type = RegType::DWORD}},
                     .inForceTexts = {"0"},
                     .tickedText = "0",
                     .untickedText = "1",
                     .restore = write},
        ValueRowSpec{.section = kSection,
                     .number = "2",
                     .values = {{.root = HKLM, .key = "\\Software\\Microsoft\\Internet Explorer\\Main",
                                 .name = "IEWatsonEnabled", .type = RegType::DWORD}},
                     .inForceTexts = {"0"},
                     .tickedText = "0",
                     .untickedText = std::nullopt,
                     .restore = writeOrDelete}));
    // ③ More simultaneous downloads.
    items.push_back(valueRow({.section = kSection,
                              .number = "3",
                              .values = {{.root = HKCU, .key = kInternetKey,
                                          .name = "MaxConnectionsPer1_0Server", .type = RegType::DWORD},
                                         {.root = HKCU, .key = kInternetKey,
                                          .name = "MaxConnectionsPerServer", .type = RegType::DWORD}},
                              .inForceTexts = {"16"},
                              .tickedText = "16",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    // ④ No automatic updates.
    items.push_back(valueRow({.section = kSection,
                              .number = "4",
                              .values = {{.root = HKLM, .key = "\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU",
                                          .name = "NoAutoUpdate", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    // ⑤ No search for the target of a broken shortcut.
    items.push_back(valueRow({.section = kSection,
                              .number = "5",
                              .values = {{.root = HKCU, .key = kPolicyKey,
                                          .name = "NoResolveTrack", .type = RegType::DWORD},
                                         {.root = HKCU, .key = kPolicyKey,
                                          .name = "NoResolveSearch", .type = RegType::DWORD},
                                         {.root = HKCU, .key = kPolicyKey,
                                          .name = "LinkResolveIgnoreLinkInfo", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(std::make_unique<MenuAnimationRow>());
    // ⑦ No auto-run of inserted CDs: the CD-ROM driver's setting on NT, the shell's policy on 9x.
    items.push_back(std::make_unique<ChosenRow>(
        onNt,
        ValueRowSpec{.section = kSection,
                     .number = "7",
                     .values = {{.root = HKLM, .key = "\\SYSTEM\\CurrentControlSet\\Services\\Cdrom",
                                 .name = "AutoRun", .type = RegType::DWORD}},
                     .inForceTexts = {"0"},
                     .tickedText = "0",
                     .untickedText = "1",
                     .restore = write},
        ValueRowSpec{.section = kSection,
                     .number = "7",
                     .values = {{.root = HKCU, .key = kPolicyKey,
                                 .name = "NoDriveTypeAutoRun", .type = RegType::Binary}},
                     .inForceTexts = {"000000B5"},
                     .tickedText = "B5",
                     .untickedText = "95",
                     .restore = write}));
    // ⑧ No "Shortcut to" in the names of new shortcuts.
    items.push_back(
        valueRow({.section = kSection,
                  .number = "8",
                  .values = {{.root = HKCU, .key = kExplorerKey, .name = "link", .type = RegType::Binary}},
                  .inForceTexts = {"00000000"},
                  .tickedText = "0",
                  .untickedText = "1e",
                  .restore = write}));
    // ⑨ The mail client without the messenger.
    items.push_back(valueRow({.section = kSection,
                              .number = "9",
                              .values = {{.root = HKLM, .key = "\\SOFTWARE\\Microsoft\\Outlook Express",
                                          .name = "Hide Messenger", .type = RegType::DWORD}},
                              .inForceTexts = {"2"},
                              .tickedText = "2",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(std::make_unique<MessengerButtonRow>());
    return items;
}

}  // namespace hastelyn::engine
