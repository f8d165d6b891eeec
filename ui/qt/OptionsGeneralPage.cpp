// The options window's general page: the two system-file paths, the restore point, speech,
// dialogs and the commentary's display.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

#include "engine/OptionSettings.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/OptionsPageLayout.h"
#include "ui/qt/OptionsTexts.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/SpeechOutputOption.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

// Captions of the boxes, in the order of engine::kOptionSwitches.
constexpr std::array<const char*, engine::kOptionSwitches.size()> kSwitchCaptions = {
    "解説文を途中で改行しない (段落や箇条書きの改行は除く)",
    "ポップアップヒントで、高速化項目の解説文を全文表示する",
    "高速化設定時に、再起動を促すメッセージを表示する",
    "情報メッセージを表示しない (確認/エラーメッセージは対象外)",
    "音声対応機能を有効にする (別途クリップボード読み上げ機能が必要)",
    "高速化設定時に、自動的に設定前の状態の復元ポイントを作成しない",
};
enum SwitchIndex : std::size_t { LineFeed, CommentHint, Reboot, Inform, Sound, AutoRestore };

struct FontButton {
    const char* name;
    const char* caption;
    int left;
    int width;
};
// In the order of engine::kFontSizes.
constexpr std::array<FontButton, engine::kFontSizes.size()> kFontButtons = {{
    {"RdFontA", "最小", 96, 52}, {"RdFontS", "小", 150, 40}, {"RdFontM", "中 (標準)", 192, 84},
    {"RdFontL", "大", 278, 40}, {"RdFontG", "最大", 320, 56}}};

constexpr int kHintPause = 300000;
constexpr int kPlainHintPause = 2500;

QCheckBox* switchBox(QWidget* parent, std::size_t index, int top) {
    const std::string name(engine::kOptionSwitches[index].box);
    auto* box = place<QCheckBox>(parent, name.c_str(), 10, top, layout::kRowWidth, 18);
    box->setText(u8(kSwitchCaptions[index]));
    return box;
}

// A label, its path edit and its browse button.
QLineEdit* pathRow(QWidget* parent, const char* label, const char* edit, const char* browse, int top,
                   QPushButton*& browseButton) {
    auto* caption = place<QLabel>(parent, "", 10, top + 2, 56, 18);
    caption->setText(u8(label));
    auto* field = place<QLineEdit>(parent, edit, 68, top, 270, 20);
    caption->setBuddy(field);
    field->setAccessibleName(u8(label));
    browseButton = button(parent, browse, u8("参照..."), 344, top - 1, 60, 23);
    browseButton->setAccessibleName(u8(label) + u8(" の参照"));
    return field;
}

}  // namespace

void TFrmSub::buildGeneralPage() {
    QGroupBox* files = layout::group(TbOption, "GrpFile", "■ 検出ファイル", 2, 62);
    EdtBootPath = pathRow(files, "boot.ini", "EdtBootPath", "BtnBootPath", 16, BtnBootPath);
    EdtSysocPath = pathRow(files, "sysoc.inf", "EdtSysocPath", "BtnSysocPath", 39, BtnSysocPath);

    QGroupBox* restore = layout::group(TbOption, "GrpAutoRestore", "■ 復元ポイント自動作成機能", 66, 38);
    switchBoxes[AutoRestore] = switchBox(restore, AutoRestore, 18);

    QGroupBox* sound = layout::group(TbOption, "GrpSound", "■ 音声対応機能", 106, 86);
    switchBoxes[Sound] = switchBox(sound, Sound, 18);
    speechOutput = new SpeechOutputOption(sound, session_.settings, session_.speech.synthesizer());
    speechOutput->ChcSpeechOutput->setGeometry(10, 36, layout::kRowWidth, 18);
    speechOutput->LblSpeechOutputWhy->setGeometry(10, 53, layout::kRowWidth, 33);
    // Three lines of the reason, the system's error text included, in a small font.
    QFont small = speechOutput->LblSpeechOutputWhy->font();
    small.setPixelSize(10);
    speechOutput->LblSpeechOutputWhy->setFont(small);
    speechOutput->LblSpeechOutputWhy->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QGroupBox* display = layout::group(TbOption, "GrpDisplay", "■ 表示関連の設定", 194, 56);
    switchBoxes[Reboot] = switchBox(display, Reboot, 18);
    switchBoxes[Inform] = switchBox(display, Inform, 36);

    QGroupBox* comment = layout::group(TbOption, "GrpComment", "■ [詳しい解説]", 252, 72);
    auto* size = place<QLabel>(comment, "LblFontSize", 10, 18, 84, 18);
    size->setText(u8("■ 文字の大きさ"));
    for (std::size_t i = 0; i < kFontButtons.size(); ++i) {
        fontButtons[i] = place<QRadioButton>(comment, kFontButtons[i].name, kFontButtons[i].left, 18,
                                             kFontButtons[i].width, 18);
        fontButtons[i]->setText(u8(kFontButtons[i].caption));
        fontButtons[i]->setAccessibleName(u8("文字の大きさ ") + fontButtons[i]->text());
    }
    fontButtons[2]->setChecked(true);
    switchBoxes[CommentHint] = switchBox(comment, CommentHint, 36);
    switchBoxes[LineFeed] = switchBox(comment, LineFeed, 54);

    std::tie(BtnOKO, BtnCloseO) = layout::pageButtons(TbOption, "BtnOKO", "BtnCloseO");
    connect(BtnOKO, &QPushButton::clicked, this, &TFrmSub::BtnOKOClick);
    connect(BtnCloseO, &QPushButton::clicked, this, &TFrmSub::close);
    connect(BtnSysocPath, &QPushButton::clicked, this, &TFrmSub::BtnSysocPathClick);
    connect(BtnBootPath, &QPushButton::clicked, this, &TFrmSub::BtnBootPathClick);
}

void TFrmSub::loadGeneralPage() {
    const engine::GeneralOptions stored = engine::readGeneralOptions(session_.settings);
    for (std::size_t i = 0; i < engine::kFontSizes.size(); ++i)
        if (engine::kFontSizes[i] == stored.fontSize) fontButtons[i]->setChecked(true);
    for (std::size_t i = 0; i < switchBoxes.size(); ++i) switchBoxes[i]->setChecked(stored.switches[i]);
    EdtSysocPath->setText(u8(stored.sysocPath));
    EdtBootPath->setText(u8(stored.bootPath));
}

void TFrmSub::BtnOKOClick() {
    runCommand([this] {
        engine::GeneralOptions options;
        // The largest size first, as the buttons are asked.
        for (std::size_t i = fontButtons.size(); i-- > 0;) {
            if (!fontButtons[i]->isChecked()) continue;
            QFont font = main_.Comment->font();
            font.setPointSize(engine::kFontSizes[i]);
            main_.Comment->setFont(font);
            break;
        }
        options.fontSize = main_.Comment->font().pointSize();
        for (std::size_t i = 0; i < switchBoxes.size(); ++i) options.switches[i] = switchBoxes[i]->isChecked();
        const bool hint = options.switches[CommentHint];
        main_.Comment->setToolTipDuration(hint ? kHintPause : kPlainHintPause);
        if (!hint) main_.Comment->setToolTip({});
        options.sysocPath = EdtSysocPath->text().toStdString();
        options.bootPath = EdtBootPath->text().toStdString();
        engine::writeGeneralOptions(session_.settings, options);
        speechOutput->apply();
    });
}

void TFrmSub::browse(QLineEdit* edit, std::string_view title, std::string_view filter) {
    if (dlgOpen_ == nullptr) return;
    // The folder of the path in the edit, else the system drive's root.
    const std::string current = edit->text().toStdString();
    const std::size_t slash = current.find_last_of('\\');
    const std::string folder = slash != std::string::npos && slash >= 2 ? current.substr(0, slash == 2 ? 3 : slash)
                                                                        : session_.paths.answerFile.substr(0, 3);
    if (const std::optional<std::string> chosen = dlgOpen_->choose(title, filter, folder))
        edit->setText(u8(*chosen));
}

void TFrmSub::BtnSysocPathClick() { browse(EdtSysocPath, options::kSysocTitle, options::kSysocFilter); }

void TFrmSub::BtnBootPathClick() { browse(EdtBootPath, options::kBootTitle, options::kBootFilter); }

}  // namespace hastelyn::ui
