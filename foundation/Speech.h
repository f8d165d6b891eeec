#pragma once
// Spoken guidance: sentences put on the clipboard for a screen reader to speak.
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Clipboard.h"
#include "foundation/Settings.h"

namespace hastelyn::foundation {

class Speech {
public:
    Speech(const Settings& settings, Clipboard& clipboard) : settings_(settings), clipboard_(clipboard) {}

    // Puts the text on the clipboard when "Sound" is "On" at this moment.
    void speak(std::string_view text);
    // Puts the text on the clipboard whatever "Sound" says.
    void speakAlways(std::string_view text);
    // The selected row of a check list, in three steps with the clipboard read back between
    // them: page caption + row text; then "。チェック。" or "。チェックなし。" appended; then the
    // two key hints appended. Only when "Sound" is "On".
    void speakRowSelection(std::string_view pageCaption, std::string_view rowText, bool ticked);
    // The same for any list: the tick word only when ticked has a value (check lists), then the
    // list's own hints (spoken::kRowHints, kUtilityHints, kInfoHints).
    void speakListSelection(std::string_view pageCaption, std::string_view rowText, std::optional<bool> ticked,
                            std::string_view hints);

    Clipboard& clipboard() { return clipboard_; }

private:
    const Settings& settings_;
    Clipboard& clipboard_;
};

}  // namespace hastelyn::foundation
