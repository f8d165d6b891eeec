#include "engine/ItemModel.h"

namespace hastelyn::engine {

const std::array<Category, kTweakCategoryCount>& tweakCategories() {
    static const std::array<Category, kTweakCategoryCount> categories = {{
        {"LstSystem", "システム",
         {"① Windowsの基本機能をHDより高速なメモリに格納し、パフォーマンスを上げる",
          "② アプリケーション実行用として確保されているメモリを、空き領域にする",
          "③ デスクトップ上で実行される、アプリケーション作業用領域を節約する",
          "④ ファイルシステム用のメモリサイズを大きくして、ファイル操作を快適にする",
          "⑤ 優先的にCPUを別の処理に割り当てて、体感速度を速くする",
          "⑥ DLLファイルの再読み込みを省略して、プログラムの起動を早くする",
          "⑦ USB機器の接続を確認する間隔を長めにして、パソコンにかかる負担を減らす",
          "⑧ ハードディスクの空き領域の監視を無効にして、負担を軽くする",
          "⑨ 無駄にハードディスクを使用している、不要なWindowsコンポーネントを削除する",
          "⑩ Windows Updateや自動更新による、XP SP2へのアップデートを無効にする"}},
        {"LstDesktop", "デスクトップ",
         {"① デスクトップ右下隅にたびたび出る、セキュリティ警告や各種通知を無効にする",
          "② スタートメニューなどのサブメニューが表示されるまでの間隔を短くする",
          "③ スタートメニューを、XP以前のシンプルなスタイルに戻す",
          "④ アイコンキャッシュを小さくして、アイコン表示を高速にする",
          "⑤ Webページを壁紙として表示する、アクティブデスクトップを無効にする",
          "⑥ エクスプローラやタスクバーの構成をシンプルにして、負担を軽くする",
          "⑦ 起動時の画像読み込みや、画面描写に負担をかける壁紙を非表示にする",
          "⑧ プログラムを使うたびに、「よく使用するプログラム」を更新しない",
          "⑨ 一度でも表示したことのある「過去の項目」を、「通知領域」から削除する",
          "⑩ 冗長なセキュリティ強化機能である「セキュリティセンター」を無効にする"}},
        {"LstExplorer", "エクスプローラ",
         {"① 検索画面を、シンプルで使いやすい従来のWindows形式に戻す",
          "② フォルダ内容の更新間隔を長めにして、パソコンにかかる負担を軽くする",
          "③ LAN接続で共有しているパソコンの、表示にかかる時間を短くする",
          "④ エクスプローラ・デスクトップ・タスクバーを、同じプロセスで実行してメモリを節約",
          "⑤ ファイルなどを起動するたびに、フォルダの最終アクセス日時を変更しない",
          "⑥ 古いアプリケーション用に、別途ファイル名を作成しない",
          "⑦ 動画ファイルの移動・削除やファイル名変更、フォルダを開く際のストレスをなくす",
          "⑧ 圧縮ファイルを検索対象からはずして、ファイル検索を高速にする",
          "⑨ ファイルの縮小版表示時に、自動的にデータベースファイルを作成しない",
          "⑩ 「お気に入り」で、何かと邪魔に扱われがちな「リンク」フォルダを削除する"}},
        {"LstPower", "起動・終了",
         {"① XP起動時に読み込まれるシステムファイルを並び替えて、高速起動する",
          "② 応答のないサービスがある場合の待ち時間を短くして、高速終了する",
          "③ パソコン終了時に[最近使ったファイル]を自動的に空にして、高速起動する",
          "④ ログオフしても、再接続の手間を省くためにインターネット接続を切断しない",
          "⑤ パソコン起動時のロゴ画面を非表示にして、パソコンを高速起動する",
          "⑥ 応答のないプログラムを自動的に終了させて、手間や時間を節約する",
          "⑦ 応答のないプログラムを早めに「応答なし」と判断して、高速にログオフする",
          "⑧ ポリシー適用完了前にエクスプローラを起動するようにして、高速起動する",
          "⑨ パソコン終了時に行われるページファイル削除を省略して、高速終了する",
          "⑩ OS選択メニューの待ち時間を短くして、マルチブート環境の起動を高速にする"}},
        {"LstOthers", "その他",
         {"① Windows Media Playerで再生したファイルの履歴を保存しないで、起動を速くする",
          "② アプリケーション異常終了のたびに出る、エラー報告画面を表示しない",
          "③ インターネットの同時ダウンロード数を増やして、接続速度を高速にする",
          "④ 自動更新を無効にして、手動でWindows Updateを行うようにする",
          "⑤ リンク切れとなったショートカットのリンク先を、自動的に検索しない",
          "⑥ アニメーション効果を用いたメニュー表示などを、すべて止める",
          "⑦ CD挿入時に実行される自動再生を止めて、パソコンに負担をかけない",
          "⑧ ショートカットを作成した時に、ファイル名に「～へのショートカット」を付けない",
          "⑨ メッセンジャーとの連携を止めて、Outlook Expressの起動と動作を速くする",
          "⑩ メッセンジャーとの連携を止めて、Internet Explorerの起動と動作を速くする"}},
    }};
    return categories;
}

ItemModel::ItemModel() {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (std::string_view label : tweakCategories()[c].labels) tweakLists_[c].rows.push_back(Row{std::string(label)});
}

std::size_t ItemModel::allCount() const {
    std::size_t all = 0;
    for (const CheckList& list : tweakLists_) all += list.rows.size();
    return all;
}

std::size_t ItemModel::restCount() const {
    std::size_t rest = 0;
    for (const CheckList& list : tweakLists_)
        for (const Row& row : list.rows) rest += row.ticked ? 0 : 1;
    return rest;
}

void ItemModel::disableRows(const foundation::DisabledControls& disabled) {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (int number : disabled.rows[c])
            if (number >= 1 && static_cast<std::size_t>(number) <= tweakLists_[c].rows.size())
                tweakLists_[c].rows[static_cast<std::size_t>(number) - 1].enabled = false;
}

}  // namespace hastelyn::engine
