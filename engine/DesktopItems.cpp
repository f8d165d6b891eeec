// The Desktop rows: shell policies of the user, the wallpaper, the notification area's past
// items (with a shell restart) and the security-centre service.
#include <memory>
#include <string>

#include "engine/ExactValues.h"
#include "engine/RegistryPlaces.h"
#include "engine/ServiceCommand.h"
#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "engine/ShellRestart.h"
#include "engine/ValueRow.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

constexpr std::string_view kSection = "デスクトップ";  // restore point and settings file ("7")
constexpr std::string_view kServiceMemory = "デスクトップ10";
constexpr std::string_view kTrayKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify";
constexpr std::string_view kServiceName = "wscsvc";

// ⑦: no wallpaper. The wallpaper it hides is kept in the settings file to be put back: kept
// before it is hidden, and forgotten only once it is back, so that a run cut short between the
// two leaves it in one place or the other.
class WallpaperRow : public TweakItem {
public:
    RowScope scope(Session& /*session*/) const override { return RowScope::User; }
    bool inForce(Session& session) const override { return read(session) == kNull; }

    bool apply(Session& session, bool ticked) const override {
        if (ticked) {
            session.settings.write(kSection, "7", read(session));
            write(session, "");
        } else {
            const std::string former = session.settings.read(kSection, "7");
            write(session, former);
            session.settings.write(kSection, "7", "");
        }
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "7", read(session));
        backupExactValue(session, file, exactKey(kSection, "7", kValue), kValue);
    }

    // The wallpaper shown now is kept for a later untick; a hidden one (none shown) leaves the
    // kept one as it is, which is still the wallpaper the row hid.
    void restore(Session& session, RestorePointReader& file) const override {
        const std::string saved = file.get(kSection, "7");
        // No key and no exact entry: the file does not record the wallpaper (cut short), which
        // is no reason to take the user's away.
        if (saved == kNull && file.get(kExactSection, exactKey(kSection, "7", kValue)) == kNull) return;
        if (const std::string shown = read(session); shown != kNull) session.settings.write(kSection, "7", shown);
        write(session, saved == kNull ? std::string() : saved);
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        restoreExactValue(session, file, exactKey(kSection, "7", kValue), kValue);
    }
    void checkRestore(Session& session, RestorePointReader& file) const override {
        checkExactValue(session, file, exactKey(kSection, "7", kValue), kValue, "[デスクトップ]7");
    }

private:
    static constexpr RegValue kValue{RootKey::CurrentUser, kDesktopKey, "Wallpaper", RegType::String};

    static std::string read(Session& session) {
        return session.registry.ReadRegValue(kValue.root, kValue.key, kValue.name, kValue.type);
    }
    static void write(Session& session, const std::string& text) {
        session.registry.WriteRegValue(kValue.root, kValue.key, kValue.name, text, kValue.type);
    }
};

// ⑨: the notification area without its memory of past items; the shell must restart to
// forget them.
class PastTrayItemsRow : public TweakItem {
public:
    RowScope scope(Session& /*session*/) const override { return RowScope::User; }
    bool inForce(Session& session) const override { return !exists(session, kIcons) && !exists(session, kPast); }

    bool apply(Session& session, bool ticked) const override {
        if (ticked) forget(session);
        return true;
    }

    // The documented keys say only whether each stream is there; its bytes go into the exact
    // section, so that a restore can bring the streams back and not only delete them.
    void backup(Session& session, RestorePointWriter& file) const override {
        for (const Stream& stream : kStreams) {
            file.put(kSection, stream.restoreKey, exists(session, stream.value.name) ? "true" : "false");
            backupExactValue(session, file, exactKey(kSection, stream.restoreKey, stream.value), stream.value);
        }
    }

    void restore(Session& session, RestorePointReader& file) const override {
        if (file.get(kSection, "9a") == "false" && file.get(kSection, "9b") == "false") forget(session);
    }
    void restoreExact(Session& session, RestorePointReader& file) const override {
        for (const Stream& stream : kStreams)
            restoreExactValue(session, file, exactKey(kSection, stream.restoreKey, stream.value), stream.value);
    }
    void checkRestore(Session& session, RestorePointReader& file) const override {
        for (const Stream& stream : kStreams)
            checkExactValue(session, file, exactKey(kSection, stream.restoreKey, stream.value), stream.value,
                            "[デスクトップ]9");
    }

private:
    static constexpr std::string_view kIcons = "IconStreams";
    static constexpr std::string_view kPast = "PastIconsStream";
    struct Stream {
        std::string_view restoreKey;
        RegValue value;
    };
    static constexpr Stream kStreams[] = {{"9a", {RootKey::CurrentUser, kTrayKey, kIcons, RegType::Binary}},
                                          {"9b", {RootKey::CurrentUser, kTrayKey, kPast, RegType::Binary}}};

    static bool exists(Session& session, std::string_view name) {
        return session.registry.RegKeyOrValueExists(RootKey::CurrentUser, kTrayKey, name, Exists::Value);
    }
    static void forget(Session& session) {
        session.registry.DeleteRegValue(RootKey::CurrentUser, kTrayKey, kIcons);
        session.registry.DeleteRegValue(RootKey::CurrentUser, kTrayKey, kPast);
        askShellRestart(session);
    }
};

// ⑩: the security-centre service stopped and disabled. Its former start type is kept in the
// settings file under the service's display name.
//
// A machine without the service (its display name reads "NULL") is left alone and the row keeps
// its flag: writing "Start" would make a service key of a few values out of nothing, and there
// is nothing to stop. The accelerate then reports no change for this row, which is the truth.
class SecurityCenterRow : public TweakItem {
public:
    bool inForce(Session& session) const override {
        return GetServiceStatusName(session.platform, kServiceName) == kStopped;
    }

    bool apply(Session& session, bool ticked) const override {
        const std::string name = displayName(session);
        if (name == kNull) return false;
        const std::string key = serviceKeyPath(kServiceName);
        // The same order as the services list: the start type kept, stopped, then disabled.
        if (ticked) {
            rememberStartType(session, kServiceMemory, name,
                              session.registry.ReadRegValue(RootKey::LocalMachine, key, "Start", RegType::DWORD));
            run(session, netCommand(true, name));
            session.registry.WriteRegValue(RootKey::LocalMachine, key, "Start", "4", RegType::DWORD);
        } else {
            std::string start = session.settings.read(kServiceMemory, name);
            if (start == kNull) start = "3";
            session.registry.WriteRegValue(RootKey::LocalMachine, key, "Start", start, RegType::DWORD);
            run(session, netCommand(false, name));
        }
        return true;
    }

    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "10", GetServiceStatusName(session.platform, kServiceName));
    }

    // Stops or starts the service as it was; its start type stays as it is now.
    void restore(Session& session, RestorePointReader& file) const override {
        const std::string name = displayName(session);
        if (name == kNull) return;
        run(session, netCommand(file.get(kSection, "10") == kStopped, name));
    }

private:
    static std::string displayName(Session& session) {
        return session.registry.ReadRegValue(RootKey::LocalMachine, serviceKeyPath(kServiceName), "DisplayName",
                                             RegType::String);
    }
    // Hidden and not waited for; a command that fails does so silently.
    static void run(Session& session, const std::string& command) {
        session.platform.shell.winExec(command, platform::showcmd::Hide);
    }
};

}  // namespace

ItemList makeDesktopItems() {
    constexpr RootKey hkcu = RootKey::CurrentUser;
    constexpr RestoreRule writeOrDelete = RestoreRule::WriteOrDelete;
    ItemList items;
    items.push_back(valueRow({.section = kSection,
                              .number = "1",
                              .values = {{.root = hkcu, .key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                                          .name = "EnableBalloonTips", .type = RegType::DWORD}},
                              .inForceTexts = {"0"},
                              .tickedText = "0",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(valueRow(
        {.section = kSection,
         .number = "2",
         .values = {{.root = hkcu, .key = kDesktopKey, .name = "MenuShowDelay", .type = RegType::String}},
         .inForceTexts = {"50"},
         .tickedText = "50",
         .untickedText = "400",
         .restore = RestoreRule::Write}));
    items.push_back(valueRow(
        {.section = kSection,
         .number = "3",
         .values = {{.root = hkcu, .key = kPolicyKey, .name = "NoSimpleStartMenu", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = std::nullopt,
         .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "4",
                              .values = {{.root = RootKey::LocalMachine, .key = kExplorerKey,
                                          .name = "Max Cached Icons", .type = RegType::String}},
                              .inForceTexts = {"320"},
                              .tickedText = "320",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "5",
                              .values = {{.root = hkcu, .key = kPolicyKey,
                                          .name = "NoActiveDesktop", .type = RegType::DWORD},
                                         {.root = hkcu, .key = kPolicyKey,
                                          .name = "NoActiveDesktopChanges", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(valueRow({.section = kSection,
                              .number = "6",
                              .values = {{.root = hkcu, .key = kPolicyKey,
                                          .name = "ClassicShell", .type = RegType::DWORD},
                                         {.root = hkcu, .key = kPolicyKey,
                                          .name = "NoCustomizeWebView", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    items.push_back(std::make_unique<WallpaperRow>());
    items.push_back(valueRow(
        {.section = kSection,
         .number = "8",
         .values = {{.root = hkcu, .key = kPolicyKey, .name = "NoInstrumentation", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = std::nullopt,
         .restore = writeOrDelete}));
    items.push_back(std::make_unique<PastTrayItemsRow>());
    items.push_back(std::make_unique<SecurityCenterRow>());
    return items;
}

}  // namespace hastelyn::engine
