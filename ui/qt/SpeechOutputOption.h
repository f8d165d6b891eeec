#pragma once
// The speech group's box for "SpeechOutput" on the options window's first page: spoken texts
// said by speech-dispatcher instead of going to the clipboard, and beside it why that cannot
// be, when it cannot.
#include <QObject>

#include "foundation/Settings.h"
#include "foundation/SpeechSynthesizer.h"

class QCheckBox;
class QLabel;
class QWidget;

namespace hastelyn::ui {

class SpeechOutputOption : public QObject {
    Q_OBJECT
public:
    // Builds the box on the page and loads it from the settings file.
    SpeechOutputOption(QWidget* page, foundation::Settings& settings, foundation::SpeechSynthesizer* synthesizer);

    QCheckBox* ChcSpeechOutput = nullptr;
    QLabel* LblSpeechOutputWhy = nullptr;

    // Ticked when "SpeechOutput" is "Speech" or "Both".
    void load();
    // Part of the page's apply: ticked writes "Speech" (a stored "Both" stays as it is),
    // unticked deletes the key (the clipboard, the default).
    void apply();
    // Asks the synthesizer whether it can speak and shows the reason when not (when the
    // window is shown: asking may start speech-dispatcher).
    void showAvailability();

private:
    foundation::Settings& settings_;
    foundation::SpeechSynthesizer* synthesizer_;
};

}  // namespace hastelyn::ui
