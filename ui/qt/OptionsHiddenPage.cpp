// The options window's hidden page: the main window's transparency, the colour style of all
// four windows and the page style of their page controls.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "ui/qt/CommandErrors.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

namespace ctl = model::options::controls;

constexpr int kOpaque = 255;
constexpr int kLargeStep = 5;

}  // namespace

void TFrmSub::buildHiddenPage() {
    GrpTrans = group(TbHidden, ctl::GrpTrans);
    make<QLabel>(GrpTrans, ctl::LblTransLow);
    ScrTrans = make<QScrollBar>(GrpTrans, ctl::ScrTrans, Qt::Horizontal);
    ScrTrans->setRange(0, kOpaque);
    ScrTrans->setPageStep(kLargeStep);
    ScrTrans->setFocusPolicy(Qt::StrongFocus);  // a stop of the tab order, moved by the arrow keys
    make<QLabel>(GrpTrans, ctl::LblTransHigh);
    EdtTrans = make<QLineEdit>(GrpTrans, ctl::EdtTrans);
    EdtTrans->setMaxLength(3);
    connect(ScrTrans, &QScrollBar::valueChanged, this, [this](int position) { if (screen_) screen_->transparencyMoved(position); });
    connect(EdtTrans, &QLineEdit::textEdited, this, [this](const QString& text) { if (screen_) screen_->transparencyTyped(text.toStdString()); });

    QGroupBox* colours = group(TbHidden, ctl::GrpColor);
    for (std::size_t i = 0; i < styleButtons.size(); ++i) {
        styleButtons[i] = make<QRadioButton>(colours, ctl::kStyleButtons[i]);
        connect(styleButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && screen_) screen_->styleChosen(i);
        });
    }
    for (std::size_t i = 0; i < colorLabels.size(); ++i) {
        QLabel* label = colorLabels[i] = make<QLabel>(colours, ctl::kColourLabels[i]);
        label->setCursor(Qt::PointingHandCursor);
        label->setFocusPolicy(Qt::StrongFocus);
        label->setToolTip({});
        label->setAccessibleDescription(u8(ctl::kColourLabels[i].hint));
        colorSwatches[i] = make<QLineEdit>(colours, ctl::kSwatches[i]);
        colorSwatches[i]->setReadOnly(true);
        colorSwatches[i]->setFocusPolicy(Qt::NoFocus);
    }
    make<QLabel>(colours, ctl::LblColorNote);

    QGroupBox* tabs = group(TbHidden, ctl::GrpTabStyle);
    for (std::size_t i = 0; i < tabStyleButtons.size(); ++i) {
        tabStyleButtons[i] = make<QRadioButton>(tabs, ctl::kTabStyleButtons[i]);
        connect(tabStyleButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && screen_) screen_->tabStyleChosen(i);
        });
    }

    BtnOKH = pushButton(TbHidden, ctl::BtnOKH);
    BtnCloseH = pushButton(TbHidden, ctl::BtnCloseH);
    connect(BtnOKH, &QPushButton::clicked, this, [this] { runCommand([this] { screen_->applyHidden(); }); });
    connect(BtnCloseH, &QPushButton::clicked, this, &TFrmSub::close);
}

}  // namespace hastelyn::ui
