#pragma once
// The options window's controls: four pages on a page control, each with its apply and close
// buttons; the locked-items page's 64 boxes are made from engine::lockKeys().
#include <array>
#include <string>
#include <vector>

#include "engine/OptionSettings.h"
#include "ui/model/Control.h"
#include "ui/model/OptionsTexts.h"

namespace hastelyn::ui::model::options::controls {

using enum ControlKind;

inline constexpr int kGroupLeft = 6;
inline constexpr int kGroupWidth = 413;
inline constexpr int kRowWidth = 395;
inline constexpr int kButtonTop = 327;

inline constexpr Control LblSite{"LblSite", Label, {8, 5, 433, 16}, kSiteName, {}, {}, {}, "FrmSub"};
inline constexpr Control PgOption{"PgOption", Pages, {8, 24, 433, 378}, {}, {}, {}, {}, "FrmSub", 0};
// Takes the focus for a moment when the page changes, so that the pages speak again.
inline constexpr Control PnlFocus{"PnlFocus", Panel, {440, 0, 1, 1}, {}, {}, {}, {}, "FrmSub"};

// The pages in their order; the last is made only when revealed.
inline constexpr std::array<Control, 4> kPages = {{
    {"TbOption", Page, {}, "環境設定", {}, kOptionPageEntered, {}, "PgOption"},
    {"TbDisabled", Page, {}, "無効機能", {}, {}, {}, "PgOption"},
    {"TbVersion", Page, {}, "バージョン情報", {}, kVersionPageEntered, {}, "PgOption"},
    {"TbHidden", Page, {}, "隠し機能", {}, {}, {}, "PgOption"},
}};
inline constexpr std::size_t kGeneralPage = 0;
inline constexpr std::size_t kLockPage = 1;
inline constexpr std::size_t kVersionPage = 2;
inline constexpr std::size_t kHiddenPage = 3;

// The general page.
inline constexpr Control GrpFile{"GrpFile", Panel, {kGroupLeft, 2, kGroupWidth, 62}, "■ 検出ファイル", {}, {}, {}, "TbOption"};
inline constexpr Control LblBootPath{"LblBootPath", Label, {10, 18, 56, 18}, "boot.ini", {}, {}, {}, "GrpFile"};
inline constexpr Control EdtBootPath{"EdtBootPath", Edit, {68, 16, 270, 20}, {}, {}, {}, {}, "GrpFile", 0};
inline constexpr Control BtnBootPath{"BtnBootPath", Button, {344, 15, 60, 23}, "参照...", {}, {}, {}, "GrpFile", 1};
inline constexpr Control LblSysocPath{"LblSysocPath", Label, {10, 41, 56, 18}, "sysoc.inf", {}, {}, {}, "GrpFile"};
inline constexpr Control EdtSysocPath{"EdtSysocPath", Edit, {68, 39, 270, 20}, {}, {}, {}, {}, "GrpFile", 2};
inline constexpr Control BtnSysocPath{"BtnSysocPath", Button, {344, 38, 60, 23}, "参照...", {}, {}, {}, "GrpFile", 3};
inline constexpr Control GrpAutoRestore{"GrpAutoRestore", Panel, {kGroupLeft, 66, kGroupWidth, 38}, "■ 復元ポイント自動作成機能", {}, {}, {}, "TbOption"};
inline constexpr Control GrpSound{"GrpSound", Panel, {kGroupLeft, 106, kGroupWidth, 86}, "■ 音声対応機能", {}, {}, {}, "TbOption"};
inline constexpr Control GrpDisplay{"GrpDisplay", Panel, {kGroupLeft, 194, kGroupWidth, 56}, "■ 表示関連の設定", {}, {}, {}, "TbOption"};
inline constexpr Control GrpComment{"GrpComment", Panel, {kGroupLeft, 252, kGroupWidth, 72}, "■ [詳しい解説]", {}, {}, {}, "TbOption"};
// In the order of engine::kOptionSwitches.
inline constexpr std::array<Control, engine::kOptionSwitches.size()> kSwitches = {{
    {"ChcLineFeed", CheckBox, {10, 54, kRowWidth, 18}, "解説文を途中で改行しない (段落や箇条書きの改行は除く)", {}, {}, {}, "GrpComment"},
    {"ChcCommentHint", CheckBox, {10, 36, kRowWidth, 18}, "ポップアップヒントで、高速化項目の解説文を全文表示する", {}, {}, {}, "GrpComment"},
    {"ChcReboot", CheckBox, {10, 18, kRowWidth, 18}, "高速化設定時に、再起動を促すメッセージを表示する", {}, {}, {}, "GrpDisplay"},
    {"ChcInform", CheckBox, {10, 36, kRowWidth, 18}, "情報メッセージを表示しない (確認/エラーメッセージは対象外)", {}, {}, {}, "GrpDisplay"},
    {"ChcSound", CheckBox, {10, 18, kRowWidth, 18}, "音声対応機能を有効にする (別途クリップボード読み上げ機能が必要)", {}, {}, {}, "GrpSound"},
    {"ChcAutoRestore", CheckBox, {10, 18, kRowWidth, 18}, "高速化設定時に、自動的に設定前の状態の復元ポイントを作成しない", {}, {}, {}, "GrpAutoRestore"},
}};
enum Switch : std::size_t { LineFeed, CommentHint, Reboot, Inform, Sound, AutoRestore };
inline constexpr Control ChcSpeechOutput{"ChcSpeechOutput", CheckBox, {10, 36, kRowWidth, 18}, "クリップボードの代わりに、音声合成 (speech-dispatcher) で読み上げる", {}, {}, {}, "GrpSound"};
inline constexpr Control LblSpeechOutputWhy{"LblSpeechOutputWhy", Label, {10, 53, kRowWidth, 33}, {}, {}, {}, {}, "GrpSound"};
inline constexpr Control LblFontSize{"LblFontSize", Label, {10, 18, 84, 18}, "■ 文字の大きさ", {}, {}, {}, "GrpComment"};
// In the order of engine::kFontSizes.
inline constexpr std::array<Control, engine::kFontSizes.size()> kFontButtons = {{
    {"RdFontA", Radio, {96, 18, 52, 18}, "最小", {}, {}, {}, "GrpComment"},
    {"RdFontS", Radio, {150, 18, 40, 18}, "小", {}, {}, {}, "GrpComment"},
    {"RdFontM", Radio, {192, 18, 84, 18}, "中 (標準)", {}, {}, {}, "GrpComment"},
    {"RdFontL", Radio, {278, 18, 40, 18}, "大", {}, {}, {}, "GrpComment"},
    {"RdFontG", Radio, {320, 18, 56, 18}, "最大", {}, {}, {}, "GrpComment"},
}};
inline constexpr Control BtnOKO{"BtnOKO", Button, {250, kButtonTop, 80, 23}, "適用", {}, kApplyFocused, {}, "TbOption"};
inline constexpr Control BtnCloseO{"BtnCloseO", Button, {336, kButtonTop, 80, 23}, "閉じる", {}, kCloseFocused, {}, "TbOption"};

// The locked-items page.
inline constexpr Control GrpDisabled{"GrpDisabled", Panel, {kGroupLeft, 2, kGroupWidth, 318}, "■ 無効機能の指定", {}, {}, {}, "TbDisabled"};
inline constexpr Control LblDisabledNote{"LblDisabledNote", Label, {10, 18, kRowWidth, 18}, "※ 安全や管理上の理由から、設定を変更させたくない項目を選択します。", {}, {}, {}, "GrpDisabled"};
// One heading label per row of boxes, then one box per key of engine::lockKeys() (ChcService last).
const std::vector<Control>& lockHeadings();
const std::vector<Control>& lockBoxes();
inline constexpr Control BtnOKD{"BtnOKD", Button, {250, kButtonTop, 80, 23}, "適用", {}, {}, {}, "TbDisabled"};
inline constexpr Control BtnCloseOK{"BtnCloseOK", Button, {336, kButtonTop, 80, 23}, "閉じる", {}, kCloseFocused, {}, "TbDisabled"};

// The version page.
inline constexpr Control LblName{"LblName", Label, {24, 20, 300, 34}, kProgramName, {}, {}, {}, "TbVersion"};
// Its caption is versionLine().
inline constexpr Control LblVersion{"LblVersion", Label, {24, 62, 300, 20}, {}, {}, {}, {}, "TbVersion"};
inline constexpr Control LblUrlHeading{"LblUrlHeading", Label, {24, 100, 300, 20}, "■ URL", {}, {}, {}, "TbVersion"};
inline constexpr Control LblUrl{"LblUrl", Button, {40, 122, 360, 20}, kSiteAddress, kSiteAddress, {}, {}, "TbVersion"};
inline constexpr Control LblSupportHeading{"LblSupportHeading", Label, {24, 156, 360, 20}, "■ ご質問やご要望などのサポート", {}, {}, {}, "TbVersion"};
inline constexpr Control LblSupport{"LblSupport", Button, {40, 178, 360, 20}, kForumLabel, kForumAddress, {}, {}, "TbVersion"};
inline constexpr Control LblSiteName{"LblSiteName", Label, {24, 222, 360, 20}, kSiteName, {}, {}, {}, "TbVersion"};
inline constexpr Control BtnHidden{"BtnHidden", Button, {24, kButtonTop - 1, 24, 24}, {}, "・・・クリック？", {}, "question", "TbVersion"};
inline constexpr Control BtnOKV{"BtnOKV", Button, {336, kButtonTop, 80, 23}, "OK", "このウィンドウを閉じます。", kCloseFocused, {}, "TbVersion"};

// The hidden page.
inline constexpr Control GrpTrans{"GrpTrans", Panel, {kGroupLeft, 2, kGroupWidth, 52}, "■ 「Hastelyn」を透明にする (2000/XP)", {}, {}, {}, "TbHidden"};
inline constexpr Control LblTransLow{"LblTransLow", Label, {10, 22, 14, 20}, "0", {}, {}, {}, "GrpTrans"};
inline constexpr Control ScrTrans{"ScrTrans", Track, {26, 23, 246, 18}, {}, {}, {}, {}, "GrpTrans"};
inline constexpr Control LblTransHigh{"LblTransHigh", Label, {278, 22, 72, 20}, "255 (標準)", {}, {}, {}, "GrpTrans"};
inline constexpr Control EdtTrans{"EdtTrans", Edit, {352, 21, 48, 21}, {}, {}, {}, {}, "GrpTrans"};
inline constexpr Control GrpColor{"GrpColor", Panel, {kGroupLeft, 56, kGroupWidth, 170}, "■ カラースタイルを設定する", {}, {}, {}, "TbHidden"};
// In the order of engine::kColorStyles, then 任意 ("Optional").
inline constexpr std::array<Control, engine::kColorStyles.size() + 1> kStyleButtons = {{
    {"RdDefault", Radio, {10, 18, 78, 20}, "Default", {}, {}, {}, "GrpColor"},
    {"RdOld", Radio, {90, 18, 114, 20}, "Old (Tervossa)", {}, {}, {}, "GrpColor"},
    {"RdBlack", Radio, {206, 18, 74, 20}, "Black", {}, {}, {}, "GrpColor"},
    {"RdRed", Radio, {282, 18, 68, 20}, "Red", {}, {}, {}, "GrpColor"},
    {"RdGreen", Radio, {352, 18, 56, 20}, "Green", {}, {}, {}, "GrpColor"},
    {"RdGray", Radio, {10, 40, 78, 20}, "Gray", {}, {}, {}, "GrpColor"},
    {"RdWhite", Radio, {90, 40, 114, 20}, "White", {}, {}, {}, "GrpColor"},
    {"RdBlue", Radio, {206, 40, 74, 20}, "Blue", {}, {}, {}, "GrpColor"},
    {"RdYellow", Radio, {282, 40, 68, 20}, "Yellow", {}, {}, {}, "GrpColor"},
    {"RdOptional", Radio, {352, 40, 56, 20}, "任意", {}, {}, {}, "GrpColor"},
}};
inline constexpr std::size_t kOptionalStyle = engine::kColorStyles.size();
// In the order of engine::kColorKeys: the clickable label and the swatch right of it.
inline constexpr std::array<Control, engine::kColorKeys.size()> kColourLabels = {{
    {"LblTitleColor", Label, {10, 68, 110, 20}, "タイトルバー", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
    {"LblMenuColor", Label, {210, 68, 110, 20}, "メニューバー", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
    {"LblAccelColor", Label, {10, 94, 110, 20}, "高速化設定部", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
    {"LblSubColor", Label, {210, 94, 110, 20}, "環境設定", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
    {"LblRestoreColor", Label, {10, 120, 110, 20}, "保存と復元", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
    {"LblCompactColor", Label, {210, 120, 110, 20}, "コンパクトモード", "Enterキーで色を選択します。", {}, {}, "GrpColor"},
}};
inline constexpr std::array<Control, engine::kColorKeys.size()> kSwatches = {{
    {"EdtTitleColor", Edit, {124, 68, 60, 20}, {}, {}, {}, {}, "GrpColor"},
    {"EdtMenuColor", Edit, {324, 68, 60, 20}, {}, {}, {}, {}, "GrpColor"},
    {"EdtAccelColor", Edit, {124, 94, 60, 20}, {}, {}, {}, {}, "GrpColor"},
    {"EdtSubColor", Edit, {324, 94, 60, 20}, {}, {}, {}, {}, "GrpColor"},
    {"EdtRestoreColor", Edit, {124, 120, 60, 20}, {}, {}, {}, {}, "GrpColor"},
    {"EdtCompactColor", Edit, {324, 120, 60, 20}, {}, {}, {}, {}, "GrpColor"},
}};
inline constexpr Control LblColorNote{"LblColorNote", Label, {10, 146, kRowWidth, 20}, "※ 項目のクリックで、色が選択できます。", {}, {}, {}, "GrpColor"};
inline constexpr Control GrpTabStyle{"GrpTabStyle", Panel, {kGroupLeft, 230, kGroupWidth, 46}, "■ ページスタイルを設定する", {}, {}, {}, "TbHidden"};
// In the order of foundation::TabStyle.
inline constexpr std::array<Control, 3> kTabStyleButtons = {{
    {"RdTabs", Radio, {10, 18, 110, 20}, "タブ (標準)", {}, {}, {}, "GrpTabStyle"},
    {"RdFlatButtons", Radio, {130, 18, 120, 20}, "フラットボタン", {}, {}, {}, "GrpTabStyle"},
    {"RdButtons", Radio, {260, 18, 90, 20}, "ボタン", {}, {}, {}, "GrpTabStyle"},
}};
inline constexpr Control BtnOKH{"BtnOKH", Button, {250, kButtonTop, 80, 23}, "適用", {}, {}, {}, "TbHidden"};
inline constexpr Control BtnCloseH{"BtnCloseH", Button, {336, kButtonTop, 80, 23}, "閉じる", {}, {}, {}, "TbHidden"};

// The name a screen reader gives the control: its caption, unless the caption alone does not say
// what it is (a number among the locked items, a size among the font buttons, an edit's label).
std::string accessibleName(const Control& control);

}  // namespace hastelyn::ui::model::options::controls
