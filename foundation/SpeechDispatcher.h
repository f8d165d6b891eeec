#pragma once
// speech-dispatcher as the program's speech synthesizer, through its client library
// libspeechd, loaded when speech is first needed: the program builds and starts without it, and
// without a running server (the library starts one when it can).
#include <memory>
#include <string>
#include <string_view>

#include "foundation/SpeechSynthesizer.h"

namespace hastelyn::foundation {

class SpeechDispatcher final : public SpeechSynthesizer {
public:
    struct Options {
        // The client library's file, as the dynamic loader finds it.
        std::string library = "libspeechd.so.2";
        // Start the server when none answers (the library's own way of starting it).
        bool autospawn = true;
    };

    // The server is the one SPEECHD_ADDRESS names, else the user's default one.
    SpeechDispatcher();
    explicit SpeechDispatcher(Options options);
    ~SpeechDispatcher() override;
    SpeechDispatcher(const SpeechDispatcher&) = delete;
    SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

    // Cancels what this program's connection is saying and queues the text, in Japanese where
    // the server has a Japanese voice. A connection that broke is opened again once.
    bool say(std::string_view text) override;
    bool available() override;
    std::string unavailableReason() const override { return reason_; }

private:
    struct Library;
    bool connect();
    void disconnect();
    bool sayOnce(std::string_view text);

    Options options_;
    std::unique_ptr<Library> library_;
    void* connection_ = nullptr;
    // Loading the library or connecting failed for good.
    bool failed_ = false;
    std::string reason_;
};

}  // namespace hastelyn::foundation
