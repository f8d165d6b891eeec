#pragma once
// A clipboard that forgets and dialogs that answer by rule, for measurements without windows,
// and a session on a machine with both.
#include <string>
#include <string_view>

#include "engine/Session.h"
#include "foundation/Clipboard.h"
#include "foundation/MessageDialogs.h"

namespace hastelyn::bench {

class SilentClipboard : public foundation::Clipboard {
public:
    std::string text() override { return {}; }
    void setText(std::string_view) override {}
};

// No to every question (nothing restarts the shell or Windows during a measurement), or Yes to
// the first question of each command when firstYes is set.
class RuleDialogs : public foundation::DialogProvider {
public:
    explicit RuleDialogs(bool firstYes = false) : firstYes_(firstYes) {}
    bool show(foundation::DialogKind kind, std::string_view) override {
        return firstYes_ && kind == foundation::DialogKind::Confirmation && asked_++ == 0;
    }
    void reset() { asked_ = 0; }

private:
    bool firstYes_;
    int asked_ = 0;
};

// A session on a machine whose clipboard and dialogs are the two above.
struct QuietSession {
    explicit QuietSession(platform::Platform& platform, bool firstYes = false)
        : dialogs(firstYes), session(platform, clipboard, dialogs) {}
    SilentClipboard clipboard;
    RuleDialogs dialogs;
    engine::Session session;
};

}  // namespace hastelyn::bench
