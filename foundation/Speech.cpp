#include "foundation/Speech.h"

#include "foundation/SpokenTexts.h"

namespace hastelyn::foundation {

void Speech::speak(std::string_view text) {
    if (settings_.soundOn()) clipboard_.setText(text);
}

void Speech::speakAlways(std::string_view text) { clipboard_.setText(text); }

void Speech::speakRowSelection(std::string_view pageCaption, std::string_view rowText, bool ticked) {
    speakListSelection(pageCaption, rowText, ticked, spoken::kRowHints);
}

void Speech::speakListSelection(std::string_view pageCaption, std::string_view rowText, std::optional<bool> ticked,
                                std::string_view hints) {
    if (!settings_.soundOn()) return;
    // Each step appends to what the clipboard holds now, not to what the previous step wrote:
    // a busy clipboard loses a step, and the next one goes on from whatever is there.
    clipboard_.setText(std::string(pageCaption) + std::string(rowText));
    if (ticked) clipboard_.setText(clipboard_.text() + std::string(*ticked ? spoken::kTicked : spoken::kNotTicked));
    clipboard_.setText(clipboard_.text() + std::string(hints));
}

}  // namespace hastelyn::foundation
