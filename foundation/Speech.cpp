#include "foundation/Speech.h"

#include "foundation/SpokenTexts.h"

namespace hastelyn::foundation {

SpeechOutput speechOutputSetting(const Settings& settings) {
    const std::string value = settings.general("SpeechOutput");
    if (value == "Speech") return SpeechOutput::Speech;
    if (value == "Both") return SpeechOutput::Both;
    return SpeechOutput::Clipboard;
}

std::string_view speechOutputText(SpeechOutput output) {
    switch (output) {
        case SpeechOutput::Speech: return "Speech";
        case SpeechOutput::Both: return "Both";
        case SpeechOutput::Clipboard: break;
    }
    return "NULL";
}

bool Speech::sayAloud(std::string_view text) {
    if (synthesizer_ == nullptr) return false;
    const SpeechOutput where = speechOutputSetting(settings_);
    if (where == SpeechOutput::Clipboard) return false;
    const bool said = synthesizer_->say(text);
    return said && where == SpeechOutput::Speech;
}

void Speech::output(std::string_view text) {
    if (!sayAloud(text)) clipboard_.setText(text);
}

void Speech::speak(std::string_view text) {
    if (settings_.soundOn()) output(text);
}

void Speech::speakAlways(std::string_view text) { output(text); }

void Speech::speakRowSelection(std::string_view pageCaption, std::string_view rowText, bool ticked) {
    speakListSelection(pageCaption, rowText, ticked, spoken::kRowHints);
}

void Speech::speakListSelection(std::string_view pageCaption, std::string_view rowText, std::optional<bool> ticked,
                                std::string_view hints) {
    if (!settings_.soundOn()) return;
    const std::string_view tickWord = ticked ? (*ticked ? spoken::kTicked : spoken::kNotTicked) : std::string_view{};
    if (sayAloud(std::string(pageCaption) + std::string(rowText) + std::string(tickWord) + std::string(hints))) return;
    // Each step appends to what the clipboard holds now, not to what the previous step wrote:
    // a busy clipboard loses a step, and the next one goes on from whatever is there.
    clipboard_.setText(std::string(pageCaption) + std::string(rowText));
    if (ticked) clipboard_.setText(clipboard_.text() + std::string(tickWord));
    clipboard_.setText(clipboard_.text() + std::string(hints));
}

}  // namespace hastelyn::foundation
