#include "foundation/MessageDialogs.h"

namespace hastelyn::foundation {

namespace {

// Information dialogs are shown unless the user switched them off.
bool informationAllowed(const Settings& settings) { return settings.general("DlgInform") != "Off"; }

// The spoken variant goes first, so a screen reader is already reading when the dialog opens.
// An empty spoken text leaves the clipboard alone.
void speakFirst(Speech& speech, std::string_view spoken) {
    if (!spoken.empty()) speech.speak(spoken);
}

}  // namespace

bool MessageDialogs::confirm(std::string_view spoken, std::string_view text) {
    speakFirst(speech_, spoken);
    return provider_.show(DialogKind::Confirmation, text);
}

void MessageDialogs::error(std::string_view spoken, std::string_view text) {
    speakFirst(speech_, spoken);
    provider_.show(DialogKind::Error, text);
}

void MessageDialogs::warning(std::string_view spoken, std::string_view text) {
    speakFirst(speech_, spoken);
    provider_.show(DialogKind::Warning, text);
}

void MessageDialogs::inform(std::string_view spoken, std::string_view text) {
    speakFirst(speech_, spoken);
    if (informationAllowed(settings_)) provider_.show(DialogKind::Information, text);
}

void MessageDialogs::informIfAllowed(std::string_view spoken, std::string_view text) {
    if (!informationAllowed(settings_)) return;
    speakFirst(speech_, spoken);
    provider_.show(DialogKind::Information, text);
}

}  // namespace hastelyn::foundation
