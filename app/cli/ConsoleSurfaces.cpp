#include "app/cli/ConsoleSurfaces.h"

#include <cstdio>

namespace hastelyn::cli {
namespace {

// A message on one line of the error stream: its line breaks become " / ".
std::string oneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        if (text[i] == '\n') {
            if (!line.empty()) line += " / ";
            continue;
        }
        line += text[i];
    }
    return line;
}

const char* title(foundation::DialogKind kind) {
    switch (kind) {
        case foundation::DialogKind::Confirmation: return "確認";
        case foundation::DialogKind::Information: return "情報";
        case foundation::DialogKind::Error: return "エラー";
        case foundation::DialogKind::Warning: return "警告";
    }
    return "";
}

}  // namespace

void ConsoleClipboard::setText(std::string_view text) {
    text_ = std::string(text);
    std::fprintf(stderr, "音声: %s\n", oneLine(text).c_str());
}

bool AnsweringDialogs::show(foundation::DialogKind kind, std::string_view text) {
    bool answer = true;
    if (kind == foundation::DialogKind::Confirmation) {
        answer = yesAll_ || (yesFirst_ && confirmations_ == 0);
        ++confirmations_;
        if (!silentQuestions_)
            std::fprintf(stderr, "[%s] %s → %s\n", title(kind), oneLine(text).c_str(), answer ? "はい" : "いいえ");
    } else {
        std::fprintf(stderr, "[%s] %s\n", title(kind), oneLine(text).c_str());
    }
    return answer;
}

}  // namespace hastelyn::cli
