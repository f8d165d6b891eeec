#include "foundation/SpeechDispatcher.h"

#include <dlfcn.h>

#include <csignal>
#include <cstdlib>
#include <utility>

#ifdef HASTELYN_HAVE_SPEECHD
#include <libspeechd.h>
#endif

namespace hastelyn::foundation {
namespace {

constexpr std::string_view kToClipboard = "音声はクリップボードに送られます。";

}  // namespace

#ifdef HASTELYN_HAVE_SPEECHD

// The functions of libspeechd the program calls, found in the library loaded at run time.
struct SpeechDispatcher::Library {
    void* handle = nullptr;
    decltype(&spd_open2) open = nullptr;
    decltype(&spd_close) close = nullptr;
    decltype(&spd_say) say = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_set_language) setLanguage = nullptr;

    // The library stays loaded for the rest of the run once loaded: it keeps glib state of its
    // own, which unloading would leave dangling.

    template <typename Function>
    bool find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(handle, name));
        return function != nullptr;
    }
};

SpeechDispatcher::SpeechDispatcher() : SpeechDispatcher(Options{}) {}
SpeechDispatcher::SpeechDispatcher(Options options) : options_(std::move(options)) {}
SpeechDispatcher::~SpeechDispatcher() { disconnect(); }

bool SpeechDispatcher::connect() {
    if (connection_ != nullptr) return true;
    if (failed_) return false;
    if (!library_) {
        auto library = std::make_unique<Library>();
        library->handle = dlopen(options_.library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library->handle == nullptr || !library->find(library->open, "spd_open2") ||
            !library->find(library->close, "spd_close") || !library->find(library->say, "spd_say") ||
            !library->find(library->cancel, "spd_cancel") || !library->find(library->setLanguage, "spd_set_language")) {
            failed_ = true;
            reason_ = "speech-dispatcher のライブラリ (" + options_.library +
                      ") が見つからないため、音声合成では読み上げられません。" + std::string(kToClipboard);
            return false;
        }
        library_ = std::move(library);
    }
    // The library writes to the server's socket: a server that goes away must not end the
    // program with SIGPIPE, it only makes the next call fail.
    struct sigaction current {};
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);

    char* error = nullptr;
    SPDConnection* connection =
        library_->open("Hastelyn", "main", nullptr, SPD_MODE_SINGLE, nullptr, options_.autospawn ? 1 : 0, &error);
    if (connection == nullptr) {
        failed_ = true;
        reason_ = "speech-dispatcher に接続できないため、音声合成では読み上げられません";
        if (error != nullptr && *error != '\0') reason_ += std::string(" (") + error + ")";
        reason_ += "。" + std::string(kToClipboard);
        std::free(error);
        return false;
    }
    std::free(error);
    // A server without a Japanese voice keeps its own: the language is a wish, not a must.
    (void)library_->setLanguage(connection, "ja");
    connection_ = connection;
    return true;
}

void SpeechDispatcher::disconnect() {
    if (connection_ == nullptr) return;
    library_->close(static_cast<SPDConnection*>(connection_));
    connection_ = nullptr;
}

bool SpeechDispatcher::sayOnce(std::string_view text) {
    auto* connection = static_cast<SPDConnection*>(connection_);
    if (library_->cancel(connection) != 0) return false;
    // An empty text only silences what was being said, as an empty clipboard would.
    if (text.empty()) return true;
    return library_->say(connection, SPD_TEXT, std::string(text).c_str()) >= 0;
}

bool SpeechDispatcher::say(std::string_view text) {
    if (!connect()) return false;
    if (sayOnce(text)) return true;
    // The server went away (ended, restarted): one new connection, then give up for the run.
    disconnect();
    if (connect() && sayOnce(text)) return true;
    disconnect();
    failed_ = true;
    reason_ = "speech-dispatcher との接続が切れたため、音声合成では読み上げられません。" + std::string(kToClipboard);
    return false;
}

bool SpeechDispatcher::available() { return connect(); }

#else  // built without libspeechd's header

struct SpeechDispatcher::Library {};

SpeechDispatcher::SpeechDispatcher() : SpeechDispatcher(Options{}) {}
SpeechDispatcher::SpeechDispatcher(Options options) : options_(std::move(options)) {
    failed_ = true;
    reason_ = "この Hastelyn は speech-dispatcher なしで作られているため、音声合成では読み上げられません。" +
              std::string(kToClipboard);
}
SpeechDispatcher::~SpeechDispatcher() = default;
bool SpeechDispatcher::connect() { return false; }
void SpeechDispatcher::disconnect() {}
bool SpeechDispatcher::sayOnce(std::string_view) { return false; }
bool SpeechDispatcher::say(std::string_view) { return false; }
bool SpeechDispatcher::available() { return false; }

#endif

}  // namespace hastelyn::foundation
