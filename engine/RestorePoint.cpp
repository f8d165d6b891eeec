#include "engine/RestorePoint.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/ExactValues.h"
#include "engine/PcInformation.h"
#include "engine/RestorePointFile.h"
#include "engine/ServiceCommand.h"
#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "engine/TweakItem.h"
#include "foundation/CommandError.h"
#include "foundation/Edition.h"
#include "foundation/LockedItems.h"
#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

// Restore-point sections of the services: the state name and the start type of each.
constexpr std::string_view kServiceStatusSection = "不要サービス";
constexpr std::string_view kServiceStartSection = "不要サービス-s";

constexpr std::string_view kPcInfoSection = "パソコン情報";
// The System ⑨ lines, the one restore-point section that is not a category's own.
constexpr std::string_view kComponentsMemorySection = "システム9";
constexpr std::string_view kPcInfoSpoken = "確認のメッセージ。復元ポイント時の使用者 会社名 コンピュータ名を復元しますか？Yキーを押すと 復元ポイント時の文字列に復元します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kPcInfoQuestion = "\r\n復元ポイント時の使用者/会社名/コンピュータ名を復元しますか？";

void backupServices(Session& session, RestorePointWriter& file) {
    for (const std::string& name : listedServiceKeys(session)) {
        file.put(kServiceStatusSection, name, GetServiceStatusName(session.platform, name));
        file.put(kServiceStartSection, name,
                 session.registry.ReadRegValue(RootKey::LocalMachine, serviceKeyPath(name), "Start", RegType::DWORD));
    }
}

void backupPcInformation(Session& session, RestorePointWriter& file) {
    const PcInfoEdit saved = ReadEditablePcInformation(session);
    file.put(kPcInfoSection, "1", saved.user);
    file.put(kPcInfoSection, "2", saved.organization);
    file.put(kPcInfoSection, "3", saved.computer);
}

// The status names a restore point holds (GetServiceStatusName), and the start types the
// program writes for a service (Start 0 to 4).
constexpr std::string_view kStatusNames[] = {"停止中",         "開始手続き中", "停止手続き中", "開始中",
                                             "再開手続き中",   "一時停止手続き中", "一時停止中", "不明"};
constexpr std::string_view kStartTypes[] = {"0", "1", "2", "3", "4"};

// The keys of the file's two service sections that name a service of the list, under the list's
// own spelling, in file order; the others go to `ignored`, once each.
std::vector<std::string> restoredServiceKeys(Session& session, RestorePointReader& file,
                                             std::vector<std::string>& ignored) {
    std::map<std::string, std::string> listed;  // folded key name -> key name
    const platform::RegistryBatch batch(session.platform.registry);
    for (const std::string& name : listedServiceKeys(session)) listed.emplace(text::upperAscii(name), name);
    // The program writes both sections with the same keys: start types all missing mean a file
    // cut short between them, whose services would otherwise all get manual start.
    if (!file.keys(kServiceStatusSection).empty() && file.keys(kServiceStartSection).empty())
        throw foundation::CommandError("[" + std::string(kServiceStartSection) +
                                       "] がないため、サービスのスタートアップの種類がわかりません。何も変更しませんでした。");
    std::vector<std::string> kept;
    std::set<std::string> seen;
    for (std::string_view section : {kServiceStatusSection, kServiceStartSection})
        for (const std::string& name : file.keys(section)) {
            const auto found = listed.find(text::upperAscii(name));
            if (found == listed.end()) {
                if (seen.insert(text::upperAscii(name)).second) ignored.push_back(name);
            } else if (section == kServiceStatusSection) {
                kept.push_back(found->second);
            }
        }
    return kept;
}

[[noreturn]] void refuseValue(std::string_view section, std::string_view key, std::string_view value,
                              std::string_view what) {
    throw foundation::CommandError("[" + std::string(section) + "] " + std::string(key) + " の値 \"" +
                                   std::string(value) + "\" は、" + std::string(what) +
                                   "として正しくありません。何も変更しませんでした。");
}

// Before any change: every service the restore would act on has a status the program writes,
// and a start type it writes or none (which puts back manual start).
void checkServices(RestorePointReader& file, const std::vector<std::string>& services) {
    for (const std::string& name : services) {
        const std::string status = file.get(kServiceStatusSection, name);
        if (std::find(std::begin(kStatusNames), std::end(kStatusNames), status) == std::end(kStatusNames))
            refuseValue(kServiceStatusSection, name, status, "サービスの状態");
        const std::string start = file.get(kServiceStartSection, name);
        if (start != kNull && std::find(std::begin(kStartTypes), std::end(kStartTypes), start) == std::end(kStartTypes))
            refuseValue(kServiceStartSection, name, start, "スタートアップの種類 (0 から 4)");
    }
}

// Every listed service whose state differs from the saved one gets its saved start type and is
// started or stopped, in file order. One whose state is the same keeps its start type as it is.
void restoreServices(Session& session, RestorePointReader& file, const std::vector<std::string>& services) {
    foundation::RegistryValues& registry = session.registry;
    for (const std::string& name : services) {
        const std::string saved = file.get(kServiceStatusSection, name);
        if (GetServiceStatusName(session.platform, name) == saved) continue;
        const platform::RegistryBatch batch(session.platform.registry);
        const std::string key = serviceKeyPath(name);
        const foundation::RegKeyValues values(registry, RootKey::LocalMachine, key);
        const std::string displayName = values.read("DisplayName", RegType::String);
        session.applyingRow("Service:" + displayName);
        rememberStartType(session, kServiceSection, displayName, values.read("Start", RegType::DWORD));
        std::string start = file.get(kServiceStartSection, name);
        if (start == kNull) start = "3";
        // A service to stop is stopped before its start type changes, one to start gets its
        // start type first: a run cut short in between never leaves a disabled service running,
        // which a later restore would take as already put back.
        const bool stop = saved == kStopped;
        if (stop) runServiceCommand(session, netCommand(true, displayName));
        registry.WriteRegValue(RootKey::LocalMachine, key, "Start", start, RegType::DWORD);
        if (!stop) runServiceCommand(session, netCommand(false, displayName));
    }
}

// Only what the file records, and never an empty name: a field the file lacks (cut short, or
// absent at backup) stays as it is.
void restorePcInformation(Session& session, RestorePointReader& file) {
    session.applyingRow("PCInfo");
    if (!session.dialogs.confirm(kPcInfoSpoken, kPcInfoQuestion)) return;
    PcInfoEdit saved{file.get(kPcInfoSection, "1"), file.get(kPcInfoSection, "2"), file.get(kPcInfoSection, "3")};
    const std::string* fields[] = {&saved.user, &saved.organization, &saved.computer};
    for (std::size_t i = 0; i < kPcInfoEditableCount; ++i) saved.enabled[i] = *fields[i] != kNull && !fields[i]->empty();
    WritePcInformation(session, saved);
}

// The rows a restore puts back, in pass order. A row the edition has no use for is left out: the
// apply pass never changes it there (unless it changes the machine whatever the row shows), and
// its keys would only bring questions and errors about things this Windows does not have.
struct RestoredRow {
    const TweakItem* item;
    std::string key;  // the locked-items key
};

std::vector<RestoredRow> restoredRows(Session& session) {
    const foundation::DisabledControls disabled = foundation::disabledControlsFor(session.codes);
    std::vector<RestoredRow> rows;
    const std::vector<ItemList>& items = tweakItems();
    for (std::size_t c = 0; c < items.size(); ++c) {
        for (std::size_t r = 0; r < items[c].size(); ++r) {
            const std::vector<int>& off = disabled.rows[c];
            const bool enabledHere = std::find(off.begin(), off.end(), static_cast<int>(r) + 1) == off.end();
            if (enabledHere || items[c][r]->changesWhenDisabled())
                rows.push_back({items[c][r].get(), foundation::tweakRowKey(c, r)});
        }
    }
    return rows;
}

// Makes the file empty under its name unless that name is taken. A folder that cannot take it
// counts as free: the restore point's write then reports why.
bool claimName(Session& session, const std::string& path) {
    platform::FileSystem& files = session.platform.files;
    return files.createNewFile(path).code() != platform::win32error::FileExists;
}

}  // namespace

std::string programFolder(Session& session) {
    const std::string program = session.platform.system.programPath();
    const std::size_t slash = program.find_last_of('\\');
    return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
}

void WriteRestorePoint(Session& session, std::string_view path) {
    RestorePointBatch batch;
    {
        // Reading only, never a question: the registry in one batch.
        const platform::RegistryBatch reading(session.platform.registry);
        batch.putExact(kExactPlatformKey, session.codes.platform);
        for (const ItemList& category : tweakItems())
            for (const auto& item : category) item->backup(session, batch);
        backupServices(session, batch);
        backupPcInformation(session, batch);
    }
    batch.writeTo(session.profiles, path);
}

void checkRestorePoint(Session& session, std::string_view path) {
    const std::string shown(path);
    const std::uint32_t attributes = session.platform.files.getFileAttributes(path);
    if (attributes == platform::fileattr::Invalid)
        throw foundation::CommandError("ファイル \"" + shown + "\" が見つかりません。");
    if ((attributes & platform::fileattr::Directory) != 0)
        throw foundation::CommandError("\"" + shown + "\" はフォルダです。復元ポイントのファイルを指定してください。");
    checkRestorePointShape(session.platform.files, path);
    std::vector<std::string_view> sections = {kComponentsMemorySection, kServiceStatusSection, kServiceStartSection,
                                              kPcInfoSection};
    for (const Category& category : tweakCategories()) sections.push_back(category.caption);
    for (std::string_view section : sections)
        if (!session.profiles.GetProfileSectionKeys(path, section)->empty()) return;
    throw foundation::CommandError("ファイル \"" + shown +
                                   "\" は、復元ポイントではありません。復元ポイントの記録がひとつもないため、何も変更しませんでした。");
}

RestoreResult ApplyRestorePoint(Session& session, std::string_view path, const RestoreOptions& options) {
    checkRestorePoint(session, path);
    RestorePointFile file(session.profiles, std::string(path));
    const std::vector<RestoredRow> rows = restoredRows(session);
    RestoreResult result;
    // Only services of the program's own list: a file from elsewhere may name a driver.
    const std::vector<std::string> services = restoredServiceKeys(session, file, result.ignoredServices);
    // Everything the file asks for is checked before the first change: a refused file leaves
    // the machine as it was.
    // Rows holding values of the PC the file was taken on put back only their own setting here.
    const auto pcOwn = [&](const RestoredRow& row) {
        return options.fromOtherPc && row.item->holdsPcOwnValues(session);
    };
    for (const RestoredRow& row : rows)
        if (!pcOwn(row)) row.item->checkRestore(session, file);
    checkServices(file, services);
    for (const RestoredRow& row : rows) {
        session.applyingRow(row.key);
        const platform::RegistryBatch batch(session.platform.registry, row.item->registryOnly());
        if (pcOwn(row)) row.item->restoreSettingOnly(session, file);
        else row.item->restore(session, file);
    }
    restoreServices(session, file, services);
    restorePcInformation(session, file);
    // Last, so that each value ends exactly as it was, whatever its documented key did; only on
    // the family the restore point was taken on, whose values its entries name.
    if (exactSectionApplies(session, file))
        for (const RestoredRow& row : rows) {
            if (pcOwn(row)) continue;
            session.applyingRow(row.key);
            const platform::RegistryBatch batch(session.platform.registry, row.item->registryOnly());
            row.item->restoreExact(session, file);
        }
    session.applyingRow("");
    return result;
}

std::string recordedComputerName(Session& session, std::string_view path) {
    RestorePointFile file(session.profiles, std::string(path));
    return file.get(kPcInfoSection, "3");
}

std::string machineComputerName(Session& session) { return ReadEditablePcInformation(session).computer; }

std::string restorePointTimeText(const std::tm& time) {
    // The Japanese short date is yyyy/MM/dd and the long time H:mm:ss; "/" becomes "-" and ":"
    // the full-width "：", so that the text can stand in a file name.
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", time.tm_year + 1900, time.tm_mon + 1, time.tm_mday);
    char minutes[16];
    std::snprintf(minutes, sizeof minutes, "%02d", time.tm_min);
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%02d", time.tm_sec);
    return std::string(date) + std::to_string(time.tm_hour) + "：" + minutes + "：" + seconds;
}

std::string RestorePointFileName(Session& session, std::string_view suffix, const std::tm& now) {
    const std::string stem =
        programFolder(session) + std::string(kRestorePointMark) + " " + restorePointTimeText(now) + std::string(suffix);
    // A second restore point within the same second must not replace the first, nor may a
    // program that picks the same name at the same moment take this one: the name is claimed
    // by making the file exclusively.
    std::string path = stem + ".ini";
    for (int n = 2; !claimName(session, path); ++n) path = stem + " (" + std::to_string(n) + ").ini";
    return path;
}

std::string RestorePointFileName(Session& session, std::string_view suffix) {
    // One clock read for the date and the time, so that a name made at midnight cannot carry
    // the old day with the new time.
    const std::time_t now = std::time(nullptr);
    // std::localtime's result is shared by its callers: copied at once, on the main thread.
    const std::tm local = *std::localtime(&now);
    return RestorePointFileName(session, suffix, local);
}

bool IsRestorePoint(std::string_view path) { return path.find(kRestorePointMark) != std::string_view::npos; }

}  // namespace hastelyn::engine
