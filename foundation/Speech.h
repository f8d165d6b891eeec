#pragma once
// Spoken guidance: sentences put on the clipboard for a screen reader to speak, or said aloud
// by a speech synthesizer, as the setting "SpeechOutput" chooses.
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Clipboard.h"
#include "foundation/Settings.h"
#include "foundation/SpeechSynthesizer.h"

namespace hastelyn::foundation {

// Where spoken texts go: "SpeechOutput" of the general section. "Speech" and "Both" as written;
// anything else, absent included, is the clipboard alone.
enum class SpeechOutput { Clipboard, Speech, Both };
SpeechOutput speechOutputSetting(const Settings& settings);
// The value written for each choice; the clipboard's is the absent key.
std::string_view speechOutputText(SpeechOutput output);

class Speech {
public:
    // Without a synthesizer every text goes to the clipboard, whatever "SpeechOutput" says.
    Speech(const Settings& settings, Clipboard& clipboard, SpeechSynthesizer* synthesizer = nullptr)
        : settings_(settings), clipboard_(clipboard), synthesizer_(synthesizer) {}

    // Speaks the text when "Sound" is "On" at this moment.
    void speak(std::string_view text);
    // Speaks the text whatever "Sound" says.
    void speakAlways(std::string_view text);
    // The selected row of a check list: page caption + row text; then "。チェック。" or
    // "。チェックなし。"; then the two key hints. Only when "Sound" is "On". On the clipboard it
    // is built in three steps with the clipboard read back between them; a synthesizer says
    // the whole text once.
    void speakRowSelection(std::string_view pageCaption, std::string_view rowText, bool ticked);
    // The same for any list: the tick word only when ticked has a value (check lists), then the
    // list's own hints (spoken::kRowHints, kUtilityHints, kInfoHints).
    void speakListSelection(std::string_view pageCaption, std::string_view rowText, std::optional<bool> ticked,
                            std::string_view hints);

    Clipboard& clipboard() { return clipboard_; }
    // The synthesizer, or null.
    SpeechSynthesizer* synthesizer() { return synthesizer_; }

private:
    // Says the text aloud when "SpeechOutput" asks for it; true when the clipboard is then to
    // be left alone ("Speech", said). A synthesizer that cannot speak leaves the text to the
    // clipboard.
    bool sayAloud(std::string_view text);
    void output(std::string_view text);

    const Settings& settings_;
    Clipboard& clipboard_;
    SpeechSynthesizer* synthesizer_;
};

}  // namespace hastelyn::foundation
