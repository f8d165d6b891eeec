#pragma once
// Message dialogs: the four kinds, their spoken variant first, and the "DlgInform" setting.
#include <string_view>

#include "foundation/Speech.h"

namespace hastelyn::foundation {

enum class DialogKind {
    Confirmation,  // "確認", buttons "はい(&Y)" / "いいえ(&N)"
    Information,   // "情報", "OK"
    Error,         // "エラー", "OK"
    Warning,       // "警告", "OK"
};

// Shows a modal dialog; the windows provide it, tests answer it.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // True for Yes (or OK).
    virtual bool show(DialogKind kind, std::string_view text) = 0;
};

class MessageDialogs {
public:
    MessageDialogs(DialogProvider& provider, Speech& speech, const Settings& settings)
        : provider_(provider), speech_(speech), settings_(settings) {}

    // Each speaks its spoken text first (when "Sound" is "On" and the text is not empty).
    bool confirm(std::string_view spoken, std::string_view text);
    void error(std::string_view spoken, std::string_view text);
    void warning(std::string_view spoken, std::string_view text);
    // The spoken text is spoken; the dialog is shown unless "DlgInform" is "Off".
    void inform(std::string_view spoken, std::string_view text);
    // Both the spoken text and the dialog depend on "DlgInform".
    void informIfAllowed(std::string_view spoken, std::string_view text);

private:
    DialogProvider& provider_;
    Speech& speech_;
    const Settings& settings_;
};

}  // namespace hastelyn::foundation
