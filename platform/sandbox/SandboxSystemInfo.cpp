#include "platform/sandbox/SandboxSystemInfo.h"

#include <string_view>

namespace hastelyn::sandbox {
namespace {

struct ErrorText {
    long code;
    std::string_view text;
};

// As a Japanese Windows XP words them.
constexpr ErrorText kErrorTexts[] = {
    {0, "この操作を正しく終了しました。"},
    {1, "ファンクションが間違っています。"},
    {2, "指定されたファイルが見つかりません。"},
    {3, "指定されたパスが見つかりません。"},
    {5, "アクセスが拒否されました。"},
    {6, "ハンドルが無効です。"},
    {8, "このコマンドを実行するのに十分な記憶域がありません。"},
    {19, "メディアは書き込み禁止になっています。"},
    {21, "デバイスの準備ができていません。"},
    {32, "プロセスはファイルにアクセスできません。別のプロセスが使用中です。"},
    {80, "ファイルがあります。"},
    {87, "パラメータが間違っています。"},
    {112, "ディスクに十分な空き領域がありません。"},
    {123, "ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。"},
    {183, "既に存在するファイルを作成することはできません。"},
    {234, "データがさらにあります。"},
    {259, "データはこれ以上ありません。"},
    {1018, "削除のマークが付けられたレジストリ キーに無効な操作をしようとしました。"},
    {1056, "サービスのインスタンスは既に実行されています。"},
    {1058, "サービスを開始できません。サービスが無効になっているか、または有効なデバイスが関連付けられていないことが原因です。"},
    {1060, "指定されたサービスはインストールされたサービスとして存在しません。"},
    {1062, "サービスは開始されていません。"},
    {1314, "クライアントは要求された特権を保有していません。"},
};

}  // namespace

SandboxSystemInfo::SandboxSystemInfo(SandboxMachine& machine) : machine_(machine) {}

std::string SandboxSystemInfo::errorText(long code) {
    for (const ErrorText& e : kErrorTexts) {
        if (e.code == code) return std::string(e.text);
    }
    return "エラー " + std::to_string(code);
}

}  // namespace hastelyn::sandbox
