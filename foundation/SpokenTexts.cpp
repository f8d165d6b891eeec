#include "foundation/SpokenTexts.h"

namespace hastelyn::foundation::spoken {

const std::string_view kTicked = "。チェック。";

const std::string_view kNotTicked = "。チェックなし。";

const std::string_view kRowHints =
    "F4キーを押すと 選択している高速化項目について、詳しい解説が説明されます。"
    "上下キーを押すと ほかの高速化項目を選択します。";

const std::string_view kUtilityHints =
    "。F4キーを押すと 選択しているユーティリティ項目について、詳しい解説が説明されます。"
    "上下キーを押すと ほかのユーティリティ項目を選択します。";

const std::string_view kInfoHints =
    "。F4キーを押すと 選択しているパソコン情報について、詳しい解説が説明されます。"
    "上下キーを押すと ほかのパソコン情報項目を選択します。";

const std::string_view kExit = "ソフトを終了しました。";

const std::string_view kSpeechOn = "音声対応機能を有効にしました。";

const std::string_view kFirstPrompt =
    "このソフトで 音声対応機能を利用するには F6キーを押して 音声対応機能を有効にする必要があります。"
    "F6キーを押さないと 音声対応機能は自動的に無効となります。";

const std::string_view kF5Prompt = "F5キーを押すと ソフトの 操作方法を説明します。";

const std::string_view kOverview =
    "Hastelynは Windowsの動作を高速にする 初心者向きのソフトです。"
    "ソフトには ウィンドウ左側に 縦型メニューバーが ウィンドウ右側に 高速化項目ページと高速化設定プッシュボタンがあります。"
    "縦型メニューバーには いくつかのプッシュボタンがあります。"
    "Tabキーを押して 各プッシュボタンを選択すると ボタンの機能が説明されます。"
    "高速化項目ページには Windowsの動作を高速にする設定項目が列挙されています。"
    "Spaceキーを押すと 高速化項目に対応したチェックボックスがチェックされます。"
    "F4キーを押すと 高速化項目に対応する 詳しい解説が説明されます。"
    "高速化プッシュボタンを押すと チェックされた高速化項目の設定を変更します。"
    "このソフトでは 画面読み上げソフトの設定を変更して 句読点や括弧 記号の読み上げをしないようにすることをお勧めします。";

const std::string_view kOperation =
    "これから ソフトの操作方法を説明します。"
    "F1キーを押すと ソフトのヘルプを起動します。"
    "F2キーを押すと 高速化設定プッシュボタンを押します。"
    "F3キーを押すと ソフトの概要を説明します。"
    "F4キーを押すと 選択している高速化項目について、詳しい解説が説明されます。"
    "F5キーを押すと ソフトの操作方法の説明を 繰り返します。"
    "F6キーを押すと 音声対応機能を有効にします。"
    "Tabキーを押すと 次のコントロールに移動します。"
    "Altキーを押すと 縦型メニューバーに移動します。"
    "Escapeキーを押すと、ソフトを終了します。";

std::string commentForSpeech(std::string_view comment) {
    static constexpr std::string_view kMarks[] = {"/", "[", "]", "「", "」", "、"};
    std::string text(comment);
    for (const std::string_view mark : kMarks) {
        // Rebuilt rather than replaced in place: each mark becomes one blank.
        std::string replaced;
        replaced.reserve(text.size());
        std::size_t from = 0;
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, from)) {
            replaced.append(text, from, at - from);
            replaced.push_back(' ');
            from = at + mark.size();
        }
        replaced.append(text, from, std::string::npos);
        text = std::move(replaced);
    }
    return text;
}

}  // namespace hastelyn::foundation::spoken
