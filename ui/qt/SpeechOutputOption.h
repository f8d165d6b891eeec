#pragma once
// The speech group's box for "SpeechOutput" on the options window's first page: spoken texts
// said by speech-dispatcher instead of going to the clipboard, and beside it why that cannot
// be, when it cannot. What the box holds and writes is the options screen's.
#include <QObject>

#include "foundation/SpeechSynthesizer.h"

class QCheckBox;
class QLabel;
class QWidget;

namespace hastelyn::ui {

class QtWindowView;

class SpeechOutputOption : public QObject {
    Q_OBJECT
public:
    // Makes the box and the reason's label on the group, tied to their rows in the view.
    SpeechOutputOption(QWidget* group, QtWindowView& view, foundation::SpeechSynthesizer* synthesizer = nullptr);

    QCheckBox* ChcSpeechOutput = nullptr;
    QLabel* LblSpeechOutputWhy = nullptr;

    void setSynthesizer(foundation::SpeechSynthesizer* synthesizer) { synthesizer_ = synthesizer; }
    // Asks the synthesizer whether it can speak and shows the reason when not (when the
    // window is shown: asking may start speech-dispatcher).
    void showAvailability();

private:
    foundation::SpeechSynthesizer* synthesizer_;
};

}  // namespace hastelyn::ui
