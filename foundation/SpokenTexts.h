#pragma once
// Spoken texts of the keyboard map and the start-up prompt.
#include <string>
#include <string_view>

namespace hastelyn::foundation::spoken {

extern const std::string_view kTicked;        // "。チェック。"
extern const std::string_view kNotTicked;     // "。チェックなし。"
extern const std::string_view kRowHints;      // the F4 hint followed by the up/down hint
extern const std::string_view kUtilityHints;  // the same for the utility list
extern const std::string_view kInfoHints;     // the same for the PC-information list
extern const std::string_view kExit;          // "ソフトを終了しました。"
extern const std::string_view kSpeechOn;      // F6
extern const std::string_view kFirstPrompt;   // the F6 prompt of the first start
extern const std::string_view kF5Prompt;      // "F5キーを押すと ソフトの 操作方法を説明します。"
extern const std::string_view kOverview;      // F3
extern const std::string_view kOperation;     // F5

// The commentary as F4 speaks it: "/", "[", "]", "「", "」" and "、" become blanks.
std::string commentForSpeech(std::string_view comment);

}  // namespace hastelyn::foundation::spoken
