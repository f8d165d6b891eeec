// The detail text of a service: what it does, how it starts and logs on, which services it
// needs and which need it, then the explanation of the whole list.
#include <optional>
#include <string>
#include <vector>

#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

constexpr std::string_view kHeading =
    "チェックしたサービスを無効にします。また、[詳しい解説]欄上の[e]ボタンから、\r\n"
    "無効にしても構わないと思われるサービスを参照することができます。\r\n\r\n"
    "■ 説明：\r\n"
    "　";
constexpr std::string_view kKeyNameField = "■ サービス名： ";
constexpr std::string_view kDisplayNameField = "■ 表示名： ";
constexpr std::string_view kStartField = "■ スタートアップの種類： ";
constexpr std::string_view kLogonField = "■ ログオン： ";
constexpr std::string_view kImageField = "■ 実行ファイルのパス： ";
constexpr std::string_view kDependsOnField = "■ このサービスが依存するサービス： ";
constexpr std::string_view kDependedOnField = "■ このサービスに依存しているサービス： ";
constexpr std::string_view kExplanation =
    "サービスとは、バックグラウンドで実行されるソフトウェアのことで、\r\n"
    "メモリに常駐して様々な機能を提供し、Unix系OSのデーモンに相当します。\r\n\r\n"
    "この設定では、チェックした不要なサービスを停止して、その機能を無効にし、\r\n"
    "不要なサービスが、Windows起動時に自動的に開始されないようにします。\r\n"
    "この設定を有効にすることで、サービス提供によるメモリへの常駐が解除され、\r\n"
    "Windows起動時のサービス開始処理が行われなくなるため、\r\n"
    "パフォーマンスの向上や、Windowsの高速起動などが期待できます。\r\n"
    "また、無効にしたサービスの機能によっては、セキュリティの向上が期待できます。\r\n\r\n"
    "※ お使いのパソコンで設定可能なすべてのサービスが一覧表示されています。\r\n"
    "　項目のチェック済み/チェックなしは、お使いの環境の現在状態を反映しています。\r\n"
    "　中には、Windowsの動作に必要な、重要なサービスも含まれていますので、\r\n"
    "　サービスを無効にしても、問題ないと明らかな項目に限定して作業を行ってください。\r\n\r\n"
    "※ サービスという概念は、NT系のWindowsにのみ存在します。\r\n"
    "　そのため、Windows 95/98/Meでは、サービスは一覧表示されません。\r\n\r\n"
    "※ 制限アカウントやゲストアカウントでは、サービスは一覧表示されません。\r\n"
    "　不要サービス機能を利用するには、管理者(Administrator)権限が必要になります。";

constexpr std::string_view kNone = "なし";
constexpr std::string_view kUnknown = "不明";
constexpr std::string_view kNoDependencies = "依存関係なし";
constexpr std::string_view kLineStart = "\r\n　";

std::string startTypeText(std::string_view start) {
    if (start == "2") return "自動";
    if (start == "3") return "手動";
    if (start == "4") return "無効";
    return std::string(kUnknown);
}

std::string logonText(std::string_view objectName) {
    if (text::containsNoCase(objectName, "LocalSystem")) return "ローカル システム";
    if (text::containsNoCase(objectName, "LocalService")) return "ローカル サービス";
    if (text::containsNoCase(objectName, "NetworkService")) return "ネットワーク サービス";
    return std::string(kUnknown);
}

// One line of a dependency field: "\r\n　" + name + " (" + status + ")".
void appendDependency(std::string& field, Session& session, std::string_view name, std::string_view keyName) {
    field += kLineStart;
    field += name;
    field += " (";
    field += GetServiceStatusName(session.platform, keyName);
    field += ")";
}

// The services that the key depends on, each entry of its DependOnService by its display name.
std::string dependsOnText(Session& session, std::string_view dependOnService) {
    if (dependOnService == kNull) return std::string(kNoDependencies);
    std::string field;
    std::size_t from = 0;
    while (from < dependOnService.size()) {
        std::size_t end = dependOnService.find('\r', from);
        if (end == std::string_view::npos) end = dependOnService.size();
        const std::string_view entry = dependOnService.substr(from, end - from);
        from = end + 1;
        if (entry.empty()) continue;
        std::string name =
            session.registry.ReadRegValue(RootKey::LocalMachine, serviceKeyPath(entry), "DisplayName", RegType::String);
        if (name == kNull) name = entry;
        appendDependency(field, session, name, entry);
    }
    return field.empty() ? std::string(kNoDependencies) : field;
}

// A service key as the detail walks them all, listed or not.
struct ServiceKey {
    std::string keyName;
    std::string displayName;
    std::string dependOnService;
};

// Every service key whose DependOnService holds the key name.
std::string dependedOnText(Session& session, std::string_view keyName, const std::vector<ServiceKey>& all) {
    std::string field;
    if (!keyName.empty()) {
        for (const ServiceKey& key : all) {
            if (key.dependOnService == kNull || !text::containsNoCase(key.dependOnService, keyName)) continue;
            appendDependency(field, session, key.displayName, key.keyName);
        }
    }
    return field.empty() ? std::string(kNoDependencies) : field;
}

}  // namespace

std::string ShowServiceDetail(Session& session, std::string_view displayName) {
    // One walk over every service key, each opened once: the last listed service of that name,
    // and what the field of the services depending on it needs.
    std::vector<ServiceKey> all;
    std::string keyName;
    const auto keys = session.registry.GetRegSubKeys(RootKey::LocalMachine, kServicesKey);
    all.reserve(keys->size());
    for (const std::string& key : *keys) {
        const foundation::RegKeyValues values(session.registry, RootKey::LocalMachine, serviceKeyPath(key));
        const ServiceKey& entry = all.emplace_back(
            ServiceKey{key, values.read("DisplayName", RegType::String), values.read("DependOnService", RegType::MultiString)});
        // The name is compared first: it rules out most keys.
        if (entry.displayName == displayName && isListedService(values)) keyName = key;
    }

    // Without a key every value reads as absent: the fields show what absence shows.
    std::optional<foundation::RegKeyValues> found;
    if (!keyName.empty()) found.emplace(session.registry, RootKey::LocalMachine, serviceKeyPath(keyName));
    auto read = [&](std::string_view name, RegType type) {
        return found ? found->read(name, type) : std::string(kNull);
    };
    const std::string description = read("Description", RegType::String);
    const std::string imagePath = read("ImagePath", RegType::String);

    std::string detail(kHeading);
    detail += description == kNull ? kNone : description;
    detail += "\r\n\r\n";
    detail += kKeyNameField;
    detail += keyName;
    detail += "\r\n";
    detail += kDisplayNameField;
    detail += read("DisplayName", RegType::String);
    detail += "\r\n";
    detail += kStartField;
    detail += startTypeText(read("Start", RegType::DWORD));
    detail += "\r\n";
    detail += kLogonField;
    detail += logonText(read("ObjectName", RegType::String));
    detail += "\r\n";
    detail += kImageField;
    detail += imagePath == kNull ? kUnknown : imagePath;
    detail += "\r\n";
    detail += kDependsOnField;
    detail += dependsOnText(session, read("DependOnService", RegType::MultiString));
    detail += "\r\n";
    detail += kDependedOnField;
    detail += dependedOnText(session, keyName, all);
    detail += "\r\n\r\n";
    detail += kExplanation;
    return detail;
}

}  // namespace hastelyn::engine
