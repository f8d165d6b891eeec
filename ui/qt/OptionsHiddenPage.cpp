// The options window's hidden page: the main window's transparency, the colour style of all
// four windows and the page style of their page controls.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <tuple>

#include "engine/OptionSettings.h"
#include "foundation/ColorText.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/OptionsPageLayout.h"
#include "ui/qt/OptionsTexts.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

struct Placed {
    const char* name;
    const char* caption;
    int left;
    int top;
    int width;
};

// RdDefault ... RdYellow in the order of engine::kColorStyles, then RdOptional.
constexpr std::array<Placed, engine::kColorStyles.size() + 1> kStyleButtons = {{
    {"RdDefault", "Default", 10, 18, 78},   {"RdOld", "Old (Tervossa)", 90, 18, 114}, {"RdBlack", "Black", 206, 18, 74},
    {"RdRed", "Red", 282, 18, 68},          {"RdGreen", "Green", 352, 18, 56},        {"RdGray", "Gray", 10, 40, 78},
    {"RdWhite", "White", 90, 40, 114},      {"RdBlue", "Blue", 206, 40, 74},          {"RdYellow", "Yellow", 282, 40, 68},
    {"RdOptional", "任意", 352, 40, 56}}};

// In the order of engine::kColorKeys; the swatch stands right of its label.
constexpr std::array<Placed, engine::kColorKeys.size()> kColorLabels = {{
    {"LblTitleColor", "タイトルバー", 10, 68, 110},   {"LblMenuColor", "メニューバー", 210, 68, 110},
    {"LblAccelColor", "高速化設定部", 10, 94, 110},   {"LblSubColor", "環境設定", 210, 94, 110},
    {"LblRestoreColor", "保存と復元", 10, 120, 110},  {"LblCompactColor", "コンパクトモード", 210, 120, 110}}};
constexpr int kSwatchOffset = 114;
constexpr int kSwatchWidth = 60;

// In the order of foundation::TabStyle.
constexpr std::array<Placed, 3> kTabStyleButtons = {{{"RdTabs", "タブ (標準)", 10, 18, 110},
                                                     {"RdFlatButtons", "フラットボタン", 130, 18, 120},
                                                     {"RdButtons", "ボタン", 260, 18, 90}}};
constexpr std::array<foundation::TabStyle, 3> kTabStyles = {foundation::TabStyle::Tabs, foundation::TabStyle::FlatButtons,
                                                            foundation::TabStyle::Buttons};

constexpr int kOpaque = 255;
constexpr int kLeastVisible = 5;

template <typename W, std::size_t N>
std::array<W*, N> placeAll(QWidget* parent, const std::array<Placed, N>& table) {
    std::array<W*, N> widgets{};
    for (std::size_t i = 0; i < N; ++i) {
        widgets[i] = place<W>(parent, table[i].name, table[i].left, table[i].top, table[i].width, 20);
        widgets[i]->setText(u8(table[i].caption));
    }
    return widgets;
}

QColor swatchColor(const QLineEdit* swatch) { return swatch->palette().color(QPalette::Base); }

}  // namespace

void TFrmSub::buildHiddenPage() {
    GrpTrans = layout::group(TbHidden, "GrpTrans", "■ 「Hastelyn」を透明にする (2000/XP)", 2, 52);
    place<QLabel>(GrpTrans, "LblTransLow", 10, 22, 14, 20)->setText("0");
    ScrTrans = place<QScrollBar>(GrpTrans, "ScrTrans", 26, 23, 246, 18, Qt::Horizontal);
    ScrTrans->setRange(0, kOpaque);
    ScrTrans->setPageStep(kLeastVisible);
    ScrTrans->setFocusPolicy(Qt::StrongFocus);  // a stop of the tab order, moved by the arrow keys
    ScrTrans->setAccessibleName(u8("透明度"));
    place<QLabel>(GrpTrans, "LblTransHigh", 278, 22, 72, 20)->setText(u8("255 (標準)"));
    EdtTrans = place<QLineEdit>(GrpTrans, "EdtTrans", 352, 21, 48, 21);
    EdtTrans->setMaxLength(3);
    EdtTrans->setAccessibleName(u8("透明度"));

    QGroupBox* colors = layout::group(TbHidden, "GrpColor", "■ カラースタイルを設定する", 56, 170);
    styleButtons = placeAll<QRadioButton>(colors, kStyleButtons);
    styleButtons[0]->setChecked(true);
    colorLabels = placeAll<QLabel>(colors, kColorLabels);
    for (std::size_t i = 0; i < colorLabels.size(); ++i) {
        QLabel* label = colorLabels[i];
        label->setCursor(Qt::PointingHandCursor);
        label->setFocusPolicy(Qt::StrongFocus);
        label->setAccessibleDescription(u8("Enterキーで色を選択します。"));
        std::string swatch = label->objectName().toStdString();
        swatch.replace(0, 3, "Edt");
        colorSwatches[i] = place<QLineEdit>(colors, swatch.c_str(), kColorLabels[i].left + kSwatchOffset,
                                            kColorLabels[i].top, kSwatchWidth, 20);
        colorSwatches[i]->setReadOnly(true);
        colorSwatches[i]->setFocusPolicy(Qt::NoFocus);
        colorSwatches[i]->setAccessibleName(label->text());
        setFieldColor(colorSwatches[i], Qt::white);
    }
    place<QLabel>(colors, "LblColorNote", 10, 146, layout::kRowWidth, 20)->setText(u8("※ 項目のクリックで、色が選択できます。"));

    QGroupBox* tabs = layout::group(TbHidden, "GrpTabStyle", "■ ページスタイルを設定する", 230, 46);
    tabStyleButtons = placeAll<QRadioButton>(tabs, kTabStyleButtons);
    tabStyleButtons[0]->setChecked(true);

    std::tie(BtnOKH, BtnCloseH) = layout::pageButtons(TbHidden, "BtnOKH", "BtnCloseH");
    connect(BtnOKH, &QPushButton::clicked, this, &TFrmSub::BtnOKHClick);
    connect(BtnCloseH, &QPushButton::clicked, this, &TFrmSub::close);
    connect(ScrTrans, &QScrollBar::valueChanged, this, [this](int position) { EdtTrans->setText(QString::number(position)); });
    connect(EdtTrans, &QLineEdit::textEdited, this, &TFrmSub::EdtTransEdited);
}

void TFrmSub::loadHiddenPage() {
    // A "Transparent" that is no number counts as absent; one out of range stops at the
    // scroll bar's end, which the edit then shows.
    if (const auto stored = foundation::settingNumber(session_.settings.general("Transparent"))) {
        ScrTrans->setValue(static_cast<int>(std::clamp<long long>(*stored, 0, kOpaque)));
        EdtTrans->setText(QString::number(ScrTrans->value()));
    }
    const std::string style = session_.settings.general("ColorStyle");
    for (std::size_t i = 1; i < styleButtons.size(); ++i) {
        const std::string_view name = i < engine::kColorStyles.size() ? engine::kColorStyles[i].name : engine::kOptionalStyle;
        if (style == name) styleButtons[i]->setChecked(true);
    }
    for (std::size_t i = 0; i < engine::kColorKeys.size(); ++i)
        if (const auto color = foundation::colorFromText(session_.settings.general(engine::kColorKeys[i])))
            setFieldColor(colorSwatches[i], windowsColor(*color));
    const std::string tabStyle = session_.settings.general("TabStyle");
    for (std::size_t i = 0; i < kTabStyles.size(); ++i)
        if (tabStyle == engine::tabStyleText(kTabStyles[i])) tabStyleButtons[i]->setChecked(true);
}

void TFrmSub::EdtTransEdited(const QString& text) {
    const auto number = foundation::settingNumber(text.toStdString());
    if (!number) return;  // empty, or no number: the scroll bar stays
    ScrTrans->setValue(static_cast<int>(std::clamp<long long>(*number, 0, kOpaque)));
    if (*number > kOpaque) EdtTrans->setText(QString::number(kOpaque));
}

std::size_t TFrmSub::selectedStyle() const {
    for (std::size_t i = 0; i < styleButtons.size(); ++i)
        if (styleButtons[i]->isChecked()) return i;
    return 0;
}

void TFrmSub::colorLabelClick(std::size_t target) {
    if (!chooseColor_) return;
    const std::optional<QColor> chosen = chooseColor_(swatchColor(colorSwatches[target]));
    if (!chosen) return;
    setFieldColor(colorSwatches[target], *chosen);
    styleButtons.back()->setChecked(true);
}

void TFrmSub::BtnOKHClick() {
    runCommand([this] {
        // Without layered windows (every edition but 2000 and XP) the group is off and there is
        // no transparency to set or to warn about.
        if (GrpTrans->isEnabled()) {
            const int position = ScrTrans->value();
            targets_.setMainOpacity(session_, position);
            if (position < kLeastVisible) session_.dialogs.inform("", options::kTransparencyWarning);
            engine::writeTransparent(session_.settings, EdtTrans->text().toStdString());
        }

        const std::size_t style = selectedStyle();
        const std::string_view name = style < engine::kColorStyles.size() ? engine::kColorStyles[style].name
                                                                          : engine::kOptionalStyle;
        if (!engine::colorStyleSkipped(session_.settings, name)) {
            engine::StyleColors colors{};
            for (std::size_t i = 0; i < colors.size(); ++i) {
                colors[i] = style < engine::kColorStyles.size() ? engine::kColorStyles[style].colors[i]
                                                                : windowsValue(swatchColor(colorSwatches[i]));
                targets_.setColor(i, colors[i]);
            }
            colors = targets_.colors();
            for (std::size_t i = 0; i < colors.size(); ++i) setFieldColor(colorSwatches[i], windowsColor(colors[i]));
            engine::writeColorStyle(session_.settings, name, colors);
            targets_.repaintMain();
            if (isVisible()) show();
        }

        for (std::size_t i = 0; i < tabStyleButtons.size(); ++i) {
            if (!tabStyleButtons[i]->isChecked()) continue;
            targets_.setTabStyle(kTabStyles[i]);
            engine::writeTabStyle(session_.settings, kTabStyles[i]);
        }
    });
}

}  // namespace hastelyn::ui
