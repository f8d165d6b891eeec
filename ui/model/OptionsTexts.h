#pragma once
// The options window's own texts: what it says, the addresses behind its two links, the
// titles and filters of its two file dialogs.
#include <string>
#include <string_view>

#include "ui/model/ProgramVersion.h"

namespace hastelyn::ui::model::options {

inline constexpr std::string_view kWindowShown =
    "環境設定ウィンドウを開きました。Tabキーを押すと 次のコントロールに移動します。";
inline constexpr std::string_view kApplyFocused =
    "適用プッシュボタンです。Enterキーを押すと 指定した設定を適用します。Tabキーを押すと 次のコントロールに移動します。";
inline constexpr std::string_view kCloseFocused =
    "閉じるプッシュボタンです。Enterキーを押すと 環境設定ウィンドウを閉じます。Tabキーを押すと 次のコントロールに移動します。";
inline constexpr std::string_view kOptionPageEntered =
    "環境設定ページです。Tabキーを押すと 次のコントロールに移動します。右キーを押すと 次のページに移動します。";
inline constexpr std::string_view kVersionPageEntered =
    "バージョン情報ページです。Tabキーを押すと 次のコントロールに移動します。左キーを押すと 前のページに移動します。";
inline constexpr std::string_view kWindowClosed = "環境設定ウィンドウを閉じました。";

inline constexpr std::string_view kTransparencyWarning =
    "\r\n透明度を増やすか、タスクバーから「Hastelyn」を終了してください。";
inline constexpr std::string_view kTransparencyWarningSpoken =
    "情報のメッセージ。透明度を増やすか、タスクバーから「Hastelyn」を終了してください。Enterキーを押すと 画面を閉じます。";

inline constexpr std::string_view kProgramName = "Hastelyn";
// "■ Version 1.92": the version label, of the program's one version.
inline std::string versionLine() { return "■ Version " + std::string(programVersion()); }
inline constexpr std::string_view kSiteName = "[Pelmora] Windows総合サイト";
inline constexpr std::string_view kSiteAddress = "https://www.pelmora.jp/";
inline constexpr std::string_view kForumAddress = "https://www.pelmora.jp/forum/";
inline constexpr std::string_view kForumLabel = "Pelmora サポート掲示板";

inline constexpr std::string_view kSysocTitle = "sysoc.infファイルを指定してください。";
inline constexpr std::string_view kSysocFilter = "sysoc.inf|sysoc.inf";
inline constexpr std::string_view kBootTitle = "boot.inファイルを指定してください。";
inline constexpr std::string_view kBootFilter = "boot.ini|boot.ini";

}  // namespace hastelyn::ui::model::options
