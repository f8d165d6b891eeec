#pragma once
// What the windows provide to the core, faked for tests: a clipboard that remembers, and
// dialogs answered from a script.
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/Clipboard.h"
#include "foundation/MessageDialogs.h"

namespace hastelyn::testing {

class FakeClipboard : public foundation::Clipboard {
public:
    std::string text() override { return text_; }
    void setText(std::string_view text) override {
        text_ = std::string(text);
        history.push_back(text_);
    }
    std::vector<std::string> history;

private:
    std::string text_;
};

class ScriptedDialogs : public foundation::DialogProvider {
public:
    bool show(foundation::DialogKind kind, std::string_view text) override {
        shown.emplace_back(kind, std::string(text));
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Every dialog shown, oldest first.
    std::vector<std::pair<foundation::DialogKind, std::string>> shown;
    // Answers for the confirmations to come; Yes when none is left.
    std::deque<bool> answers;
};

}  // namespace hastelyn::testing
