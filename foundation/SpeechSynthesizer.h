#pragma once
// A speech synthesizer that says spoken texts aloud, beside or instead of the clipboard. The
// program provides speech-dispatcher's; tests provide a fake server for it.
#include <string>
#include <string_view>

namespace hastelyn::foundation {

class SpeechSynthesizer {
public:
    virtual ~SpeechSynthesizer() = default;
    // Says the text, cutting off what it was saying before. False when it cannot speak; the
    // reason is then unavailableReason().
    virtual bool say(std::string_view text) = 0;
    // Whether it can speak, found out when needed (connecting if it has not yet). False with a
    // reason when not.
    virtual bool available() = 0;
    // Why it cannot speak, in Japanese for the options window; empty while nothing failed.
    virtual std::string unavailableReason() const = 0;
};

}  // namespace hastelyn::foundation
