#pragma once
// The command line's clipboard and dialogs: spoken texts and messages go to the error stream,
// questions are answered by the options given.
#include <string>

#include "foundation/Clipboard.h"
#include "foundation/MessageDialogs.h"

namespace hastelyn::cli {

class ConsoleClipboard : public foundation::Clipboard {
public:
    std::string text() override { return text_; }
    void setText(std::string_view text) override;

private:
    std::string text_;
};

// --yes answers Yes to the command's own first question, --yes-all to every question; all
// others are answered No. Questions a command asks only of itself (verify runs a restore that
// changes nothing) can be answered without a word.
class AnsweringDialogs : public foundation::DialogProvider {
public:
    AnsweringDialogs(bool yesFirst, bool yesAll, bool silentQuestions = false)
        : yesFirst_(yesFirst), yesAll_(yesAll), silentQuestions_(silentQuestions) {}
    bool show(foundation::DialogKind kind, std::string_view text) override;

private:
    bool yesFirst_;
    bool yesAll_;
    bool silentQuestions_;
    int confirmations_ = 0;
};

}  // namespace hastelyn::cli
