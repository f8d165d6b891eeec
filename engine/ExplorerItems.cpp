// The rows of the page "エクスプローラ": search style, folder refresh, network browsing, process
// model, NTFS time stamps and short names, the video property handlers, the compressed-folder
// handlers, thumbnail caches and the links folder of the favourites.
#include <array>
#include <memory>
#include <string>

#include "engine/Registration.h"
#include "engine/RegistryPlaces.h"
#include "engine/TweakItem.h"
#include "engine/ValueRow.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKLM = RootKey::LocalMachine;
constexpr auto HKCR = RootKey::ClassesRoot;

constexpr std::string_view kSection = "エクスプローラ";  // restore point
constexpr std::string_view kSettingsSection = "エクスプローラ";

constexpr std::string_view kFileSystemKey = "\\SYSTEM\\CurrentControlSet\\Control\\FileSystem";

std::string_view presence(bool exists) { return exists ? "true" : "false"; }

// ③ The scheduled-tasks folder that browsing a networked computer opens first.
class TaskFolderRow final : public TweakItem {
public:
    bool inForce(Session& session) const override { return !exists(session); }
    bool apply(Session& session, bool ticked) const override {
        if (ticked)
            remove(session);
        else
            create(session);
        return true;
    }
    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "3", presence(exists(session)));
    }
    void restore(Session& session, RestorePointReader& file) const override {
        const std::string saved = file.get(kSection, "3");
        if (saved == "false")
            remove(session);
        else if (recordsPresence(saved))
            create(session);
    }

private:
    static constexpr std::string_view kNameSpace =
        "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace";
    static constexpr std::string_view kFolder = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";

    static std::string folderKey() { return std::string(kNameSpace) + "\\" + std::string(kFolder); }
    static bool exists(Session& session) {
        return session.registry.RegKeyOrValueExists(HKLM, kNameSpace, kFolder, Exists::Key);
    }
    static void remove(Session& session) { session.registry.DeleteRegKey(HKLM, folderKey()); }
    static void create(Session& session) { session.registry.WriteRegValue(HKLM, folderKey(), "", "タスク", RegType::String); }
};

// ⑦ The two property handlers of the video files.
class VideoHandlersRow final : public TweakItem {
public:
    bool inForce(Session& session) const override {
        return !exists(session, kHandlers[0]) && !exists(session, kHandlers[1]);
    }
    bool apply(Session& session, bool ticked) const override {
        for (const Handler& handler : kHandlers) {
            if (ticked)
                remove(session, handler);
            else
                create(session, handler);
        }
        return true;
    }
    void backup(Session& session, RestorePointWriter& file) const override {
        for (const Handler& handler : kHandlers) file.put(kSection, handler.restoreKey, presence(exists(session, handler)));
    }
    void restore(Session& session, RestorePointReader& file) const override {
        for (const Handler& handler : kHandlers) {
            const std::string saved = file.get(kSection, handler.restoreKey);
            if (saved == "false")
                remove(session, handler);
            else if (recordsPresence(saved))
                create(session, handler);
        }
    }

private:
    struct Handler {
        std::string_view clsid;
        std::string_view name;
        std::string_view restoreKey;
    };
    static constexpr std::array<Handler, 2> kHandlers = {{
        {"{87D62D94-71B3-4b9a-9489-5FE6850DC73E}", "Avi Properties Handler", "7a"},
        {"{40C3D757-D6E4-4b49-BB41-0E5BBEA28817}", "Video Media Properties Handler", "7b"},
    }};

    static std::string classKey(const Handler& handler) { return "\\CLSID\\" + std::string(handler.clsid); }
    static bool exists(Session& session, const Handler& handler) {
        return session.registry.RegKeyOrValueExists(HKCR, "\\CLSID", handler.clsid, Exists::Key);
    }
    static void remove(Session& session, const Handler& handler) {
        session.registry.DeleteRegKey(HKCR, classKey(handler));
    }
    static void create(Session& session, const Handler& handler) {
        const std::string key = classKey(handler);
        const std::string server = key + "\\InProcServer32";
        session.registry.WriteRegValue(HKCR, key, "", handler.name, RegType::String);
        session.registry.WriteRegValue(HKCR, server, "", "%SystemRoot%\\System32\\shmedia.dll", RegType::ExString);
        session.registry.WriteRegValue(HKCR, server, "ThreadingModel", "Both", RegType::String);
    }
};

// ⑧ The cabinet and compressed folders, taken out of the search by unregistering their shell
// extensions. Nothing in the registry tells reliably whether they are registered, so the
// settings file keeps the row's state.
class CompressedFoldersRow final : public TweakItem {
public:
    bool inForce(Session& session) const override { return session.settings.read(kSettingsSection, "8") == "true"; }
    bool apply(Session& session, bool ticked) const override {
        set(session, ticked);
        return true;
    }
    void backup(Session& session, RestorePointWriter& file) const override {
        file.put(kSection, "8", session.settings.read(kSettingsSection, "8"));
    }
    void restore(Session& session, RestorePointReader& file) const override {
        set(session, file.get(kSection, "8") == "true");
    }

private:
    // The key follows the registrations: a run cut short before it still reads as the old
    // state, and the next run (or a restore) does the whole of it again.
    static void set(Session& session, bool searchOff) {
        if (searchOff) {
            runRegSvr32(session, "regsvr32 /u cabview.dll", 10);
            if (session.codes.edition != "Me") runRegSvr32(session, "regsvr32 /u zipfldr.dll", 10);
        } else {
            runRegSvr32(session, "regsvr32 cabview.dll", 50);
            if (session.codes.edition != "Me") runRegSvr32(session, "regsvr32 zipfldr.dll", 10);
        }
        session.settings.write(kSettingsSection, "8", searchOff ? "true" : "false");
    }
};

// ⑩ The links folder of the favourites: a name of two double quotes hides it. The profile
// functions give such a saved name back without its quotes, as an empty text.
constexpr std::string_view kTwoQuotes = "\"\"";
constexpr RegValue kLinksFolderName{HKCU, "\\Software\\Microsoft\\Internet Explorer\\Toolbar", "LinksFolderName",
                                RegType::String};

class LinksFolderRow final : public ValueRow {
public:
    LinksFolderRow()
        : ValueRow({.section = kSection,
                    .number = "10",
                    .values = {kLinksFolderName},
                    .inForceTexts = {kTwoQuotes},
                    .tickedText = kTwoQuotes,
                    .untickedText = "リンク",
                    .restore = RestoreRule::Write}) {}

    void restore(Session& session, RestorePointReader& file) const override {
        std::string saved = file.get(kSection, "10");
        if (saved.empty()) saved = kTwoQuotes;
        restoreValue(session, kLinksFolderName, saved, RestoreRule::Write);
    }
};

}  // namespace

ItemList makeExplorerItems() {
    constexpr RestoreRule write = RestoreRule::Write;
    constexpr RestoreRule writeOrDelete = RestoreRule::WriteOrDelete;
    ItemList items;
    // ① The search pane of earlier Windows instead of the search companion.
    items.push_back(valueRow({.section = kSection,
                              .number = "1",
                              .values = {{.root = HKCU, .key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState",
                                          .name = "Use Search Asst", .type = RegType::String}},
                              .inForceTexts = {"no"},
                              .tickedText = "no",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    // ② Folder contents refreshed less often.
    items.push_back(valueRow({.section = kSection,
                              .number = "2",
                              .values = {{.root = HKLM, .key = "\\System\\CurrentControlSet\\Control\\Update",
                                          .name = "UpdateMode", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = "0",
                              .restore = write}));
    items.push_back(std::make_unique<TaskFolderRow>());
    // ④ Desktop, taskbar and folder windows in one process.
    items.push_back(valueRow({.section = kSection,
                              .number = "4",
                              .values = {{.root = HKCU, .key = kExplorerKey,
                                          .name = "DesktopProcess", .type = RegType::DWORD}},
                              .inForceTexts = {"0", kNull},
                              .tickedText = std::nullopt,
                              .untickedText = "1",
                              .restore = writeOrDelete}));
    // ⑤ No last-access time stamps.
    items.push_back(valueRow({.section = kSection,
                              .number = "5",
                              .values = {{.root = HKLM, .key = kFileSystemKey,
                                          .name = "NtfsDisableLastAccessUpdate", .type = RegType::DWORD}},
                              .inForceTexts = {"1"},
                              .tickedText = "1",
                              .untickedText = std::nullopt,
                              .restore = writeOrDelete}));
    // ⑥ No short (8.3) names.
    items.push_back(valueRow(
        {.section = kSection,
         .number = "6",
         .values = {{.root = HKLM, .key = kFileSystemKey,
                     .name = "NtfsDisable8dot3NameCreation", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = "0",
         .restore = write}));
    items.push_back(std::make_unique<VideoHandlersRow>());
    items.push_back(std::make_unique<CompressedFoldersRow>());
    // ⑨ No thumbnail cache files.
    items.push_back(valueRow(
        {.section = kSection,
         .number = "9",
         .values = {{.root = HKCU, .key = kPolicyKey, .name = "NoThumbnailCache", .type = RegType::DWORD}},
         .inForceTexts = {"1"},
         .tickedText = "1",
         .untickedText = std::nullopt,
         .restore = writeOrDelete}));
    items.push_back(std::make_unique<LinksFolderRow>());
    return items;
}

}  // namespace hastelyn::engine
