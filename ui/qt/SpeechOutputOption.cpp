#include "ui/qt/SpeechOutputOption.h"

#include <QCheckBox>
#include <QLabel>

#include "foundation/Speech.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

SpeechOutputOption::SpeechOutputOption(QWidget* page, foundation::Settings& settings,
                                       foundation::SpeechSynthesizer* synthesizer)
    : QObject(page), settings_(settings), synthesizer_(synthesizer) {
    ChcSpeechOutput = place<QCheckBox>(page, "ChcSpeechOutput", 16, 150, 400, 17);
    ChcSpeechOutput->setText(u8("クリップボードの代わりに、音声合成 (speech-dispatcher) で読み上げる"));
    ChcSpeechOutput->setAccessibleName(ChcSpeechOutput->text());
    LblSpeechOutputWhy = place<QLabel>(page, "LblSpeechOutputWhy", 32, 168, 384, 30);
    LblSpeechOutputWhy->setWordWrap(true);
    LblSpeechOutputWhy->setStyleSheet("color: maroon");
    LblSpeechOutputWhy->hide();
    load();
}

void SpeechOutputOption::load() {
    ChcSpeechOutput->setChecked(foundation::speechOutputSetting(settings_) != foundation::SpeechOutput::Clipboard);
}

void SpeechOutputOption::apply() {
    if (!ChcSpeechOutput->isChecked()) {
        settings_.remove(foundation::kGeneralSection, "SpeechOutput");
    } else if (foundation::speechOutputSetting(settings_) != foundation::SpeechOutput::Both) {
        settings_.write(foundation::kGeneralSection, "SpeechOutput",
                        foundation::speechOutputText(foundation::SpeechOutput::Speech));
    }
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
