#pragma once
// The save-and-restore window's own texts: its captions, the explanation of each page and what
// the window and its controls say. The messages of the four actions are the engine's
// (SaveAndRestore, MailRules), which the command line shares.
#include <string_view>

namespace hastelyn::ui::model::restore::texts {

inline constexpr std::string_view kCaption = "保存と復元";
inline constexpr std::string_view kCancelCaption = "閉じる";
inline constexpr std::string_view kPcPageCaption = "Hastelyn";
inline constexpr std::string_view kMailPageCaption = "Outlook Express";
inline constexpr std::string_view kPcHeading = "■ お使いのパソコンの状態";
inline constexpr std::string_view kMailHeading = "■ Outlook Expressのメールルール";
inline constexpr std::string_view kBackupLabel = "▼ パソコンの状態を保存";
inline constexpr std::string_view kRecoveryLabel = "▼ 以前の状態に戻す";
inline constexpr std::string_view kBackupOELabel = "▼ メールルールをバックアップ";
inline constexpr std::string_view kRecoveryOELabel = "▼ メールルールを復元";

inline constexpr std::string_view kPcPageExplanation =
    "お使いのパソコンの状態を、復元ポイントとして管理することができます。\r\n\r\n"
    "任意に復元ポイントを作成することで、パソコンの調子がおかしくなった場合や、\r\n"
    "パソコンの状態を、以前の状態に戻したくなったときに、\r\n"
    "以前に、作成しておいた復元ポイントを指定することで、\r\n"
    "お使いのパソコンを、復元ポイント作成時の状態まで、戻すことができます。\r\n"
    "復元ポイントは、複数作成することができます。\r\n\r\n"
    "※ 初回起動時に、高速化を行う前の復元ポイントを作成することで、\r\n"
    "　「Hastelyn」導入前の状態に、パソコンの状態をいつでも戻すことができます。";

inline constexpr std::string_view kMailPageExplanation =
    "現在、インターネットの普及に伴い、\r\n"
    "連絡手段として、メールが使われる機会が増えてきています。\r\n"
    "そのため、以前と比べて、メールのやり取りが増えて、\r\n"
    "大量のメールを受信するようになり、メール管理が重要となってきています。\r\n\r\n"
    "Windowsに、標準でインストールされているOutlook Express(OE)には、\r\n"
    "受信メールを管理するために、受信したメールを、指定した条件によって、\r\n"
    "指定した動作をさせることができる、メールルールという機能があります。\r\n\r\n"
    "メールルールを利用することで、受信メールを、受信と同時に、\r\n"
    "送信者や件名ごとに、自動的に各フォルダに振り分けることができます。\r\n"
    "大量のメールをカンタンに管理できるため、多くの人が利用していると思われますが、\r\n"
    "OEには、メールルールをバックアップ/復元する手段は提供されていません。\r\n\r\n"
    "「Hastelyn」でメールルールをバックアップすることで、\r\n"
    "Windowsの再インストールや、パソコンの移行時に、\r\n"
    "メールルールを再び作成する手間を、省くことができます。\r\n\r\n"
    "※ メールデータやメールアカウント、アドレス帳を、\r\n"
    "　バックアップ/復元する手段は、OEで提供されています。";

inline constexpr std::string_view kWindowShown =
    "保存と復元ウィンドウを開きました。Tabキーを押すと 次のコントロールに移動します。";
inline constexpr std::string_view kPcPageEntered =
    "パソコンの状態ページです。Tabキーを押すと 次のコントロールに移動します。右キーを押すと 次のページに移動します。F4キーを押すと 選択しているページについて、詳しい解説が説明されます。";
inline constexpr std::string_view kMailPageEntered =
    "Outlook Expressページです。Tabキーを押すと 次のコントロールに移動します。左キーを押すと 前のページに移動します。F4キーを押すと 選択しているページについて、詳しい解説が説明されます。";
inline constexpr std::string_view kWindowClosed = "保存と復元ウィンドウを閉じました。";

// What each button says when it gets the focus.
inline constexpr std::string_view kCancelSpoken =
    "閉じるプッシュボタンです。Enterキーを押すと 保存と復元ウィンドウを閉じます。Tabキーを押すと 次のコントロールに移動します。";
inline constexpr std::string_view kBackupSpoken =
    "バックアッププッシュボタンです。Enterキーを押すと パソコンの状態を保存します。Tabキーを押すと 次のプッシュボタンに移動します。";
inline constexpr std::string_view kRecoverySpoken =
    "復元プッシュボタンです。Enterキーを押すと パソコンを以前の状態に戻します。Tabキーを押すと 次のプッシュボタンに移動します。";
inline constexpr std::string_view kBackupOESpoken =
    "OE バックアッププッシュボタンです。Enterキーを押すと メールルールをバックアップします。Tabキーを押すと 次のプッシュボタンに移動します。";
inline constexpr std::string_view kRecoveryOESpoken =
    "OE 復元プッシュボタンです。Enterキーを押すと メールルールを復元します。Tabキーを押すと 次のプッシュボタンに移動します。";

}  // namespace hastelyn::ui::model::restore::texts
