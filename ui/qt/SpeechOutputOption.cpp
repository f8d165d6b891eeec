#include "ui/qt/SpeechOutputOption.h"

#include <QCheckBox>
#include <QLabel>

#include "ui/model/OptionsControls.h"
#include "ui/qt/QtWindowView.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

namespace ctl = model::options::controls;

SpeechOutputOption::SpeechOutputOption(QWidget* group, QtWindowView& view, foundation::SpeechSynthesizer* synthesizer)
    : QObject(group), synthesizer_(synthesizer) {
    ChcSpeechOutput = view.make<QCheckBox>(group, ctl::ChcSpeechOutput);
    ChcSpeechOutput->setAccessibleName(ChcSpeechOutput->text());
    LblSpeechOutputWhy = view.make<QLabel>(group, ctl::LblSpeechOutputWhy);
    LblSpeechOutputWhy->setWordWrap(true);
    // Three lines of the reason, the system's error text included, in a small font.
    QFont small = LblSpeechOutputWhy->font();
    small.setPixelSize(10);
    LblSpeechOutputWhy->setFont(small);
    LblSpeechOutputWhy->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblSpeechOutputWhy->setStyleSheet("color: maroon");
    LblSpeechOutputWhy->hide();
}

void SpeechOutputOption::showAvailability() {
    const bool speaks = synthesizer_ == nullptr || synthesizer_->available();
    const QString why = speaks ? QString() : u8(synthesizer_->unavailableReason());
    LblSpeechOutputWhy->setText(why);
    LblSpeechOutputWhy->setVisible(!speaks);
    LblSpeechOutputWhy->setToolTip(why);  // the whole reason, where the label is too small for it
    ChcSpeechOutput->setAccessibleDescription(why);
}

}  // namespace hastelyn::ui
