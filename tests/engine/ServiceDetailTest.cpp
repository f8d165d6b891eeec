// The detail text of a service as the commentary panel shows it.
#include <gtest/gtest.h>

#include <string>

#include "engine/Services.h"
#include "tests/engine/EngineFixture.h"

using namespace hastelyn;
using namespace hastelyn::engine;

namespace {

const std::string kHeading =
    "チェックしたサービスを無効にします。また、[詳しい解説]欄上の[e]ボタンから、\r\n"
    "無効にしても構わないと思われるサービスを参照することができます。\r\n\r\n"
    "■ 説明：\r\n"
    "　";
const std::string kKeyName = "■ サービス名： ";
const std::string kDisplayName = "■ 表示名： ";
const std::string kStartType = "■ スタートアップの種類： ";
const std::string kLogon = "■ ログオン： ";
const std::string kImage = "■ 実行ファイルのパス： ";
const std::string kDependsOn = "■ このサービスが依存するサービス： ";
const std::string kDependedOn = "■ このサービスに依存しているサービス： ";
const std::string kExplanation =
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

// The lines of a dependency field.
std::string line(std::string_view name, std::string_view status) {
    return "\r\n　" + std::string(name) + " (" + std::string(status) + ")";
}

}  // namespace

TEST(ServiceDetail, WholeTextOfAServiceWithDependenciesBothWays) {
    MiniMachine m;
    m.service("RpcSs", "Remote Procedure Call (RPC)", 2)
        .service("Later", "Later One", 2)
        .service("Other", "Other One", 2)
        .hive(RootKey::LocalMachine,
              {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Main]", "\"DisplayName\"=\"Main Service\"",
               "\"Description\"=\"Keeps things running.\"",
               "\"ImagePath\"=expand:\"%SystemRoot%\\\\system32\\\\main.exe\"",
               "\"Start\"=dword:00000002", "\"ObjectName\"=\"NT AUTHORITY\\\\LocalService\"",
               "\"DependOnService\"=multi:\"RpcSs\",\"NoSuchGroup\"", "",
               // A driver: not listed, but it depends on Main (named in another case).
               "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Driver]",
               "\"DisplayName\"=\"Main Helper Driver\"", "\"Start\"=dword:00000003",
               "\"DependOnService\"=multi:\"main\"", "",
               "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Later]",
               "\"DependOnService\"=multi:\"Tcpip\",\"MAIN\"", "",
               "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Other]",
               "\"DependOnService\"=multi:\"RpcSs\""});
    EngineFixture fx(m);

    const std::string expected = kHeading + "Keeps things running.\r\n\r\n" +
                                 kKeyName + "Main\r\n" +
                                 kDisplayName + "Main Service\r\n" +
                                 kStartType + "自動" "\r\n" +
                                 kLogon + "ローカル サービス" "\r\n" +
                                 kImage + "%SystemRoot%\\system32\\main.exe\r\n" +
                                 kDependsOn + line("Remote Procedure Call (RPC)", "開始中") +
                                 line("NoSuchGroup", "不明") + "\r\n" +
                                 kDependedOn + line("Main Helper Driver", "停止中") +
                                 line("Later One", "開始中") + "\r\n\r\n" + kExplanation;
    EXPECT_EQ(engine::ShowServiceDetail(fx.session(), "Main Service"), expected);
}

TEST(ServiceDetail, MissingPartsShowTheirPlaceholders) {
    std::string longList = "\"DependOnService\"=multi:";
    for (char c = 'A'; c < 'M'; ++c)  // 12 names of 27 characters
        longList += std::string(c > 'A' ? "," : "") + "\"DependencyNameOfTwentyFour" + c + "\"";
    MiniMachine m;
    m.service("DupA", "Dup", 4, "NT AUTHORITY\\NetworkService")
        .service("DupB", "Dup", 4, "NT AUTHORITY\\NetworkService")
        .service("Long", "Long Dependencies", 3)
        .hive(RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Long]", longList,
                                      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\DupA]",
                                      "\"DependOnService\"=multi:\"Long\""});
    EngineFixture fx(m);
    const std::string none = "依存関係なし";

    // A DependOnService past the 255-byte buffer reads as absent.
    const std::string longDetail = engine::ShowServiceDetail(fx.session(), "Long Dependencies");
    EXPECT_NE(longDetail.find(kDependsOn + none + "\r\n" + kDependedOn + line("Dup", "停止中") + "\r\n"),
              std::string::npos);

    // Two services of one name: the last in registry order is shown.
    const std::string dup = engine::ShowServiceDetail(fx.session(), "Dup");
    EXPECT_NE(dup.find(kKeyName + "DupB\r\n" + kDisplayName + "Dup\r\n" + kStartType + "無効" "\r\n" + kLogon +
                       "ネットワーク サービス" "\r\n"),
              std::string::npos);

    // No name (the 9x family's page): empty key, every field as for absence, and no dependant
    // matched by the empty key name.
    const std::string empty = engine::ShowServiceDetail(fx.session(), "");
    EXPECT_EQ(empty, kHeading + "なし" "\r\n\r\n" + kKeyName + "\r\n" + kDisplayName + "NULL\r\n" + kStartType +
                         "不明" "\r\n" + kLogon + "不明" "\r\n" + kImage + "不明" "\r\n" + kDependsOn + none + "\r\n" +
                         kDependedOn + none + "\r\n\r\n" + kExplanation);
}
