#include "foundation/WebSearch.h"

#include <array>

#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::foundation {
namespace {

struct SearchEngine {
    std::string_view key;
    std::string_view prefix;
};

constexpr std::array<SearchEngine, 3> kEngines{{
    {"e-Words", "http://e-words.jp/view.asp?word="},
    {"Google", "https://www.google.co.jp/search?num=50&lr=lang_ja&ie=Shift_JIS&oe=Shift_JIS&q="},
    {"ASCII", "http://yougo.ascii24.com/gh/search/?pattern="},
}};

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::string percentEncodeShiftJis(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text::toShiftJis(utf8)) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::optional<std::string> searchAddress(std::string_view engineKey, std::string_view word) {
    for (const SearchEngine& engine : kEngines)
        if (engine.key == engineKey) return std::string(engine.prefix) + percentEncodeShiftJis(word);
    return std::nullopt;
}

std::string helpPagePath(std::string_view programPath, std::string_view page) {
    const std::size_t slash = programPath.find_last_of('\\');
    const std::string_view folder = slash == std::string_view::npos ? std::string_view{} : programPath.substr(0, slash + 1);
    return std::string(folder) + "help\\" + std::string(page);
}

void openAddress(platform::Shell& shell, std::string_view address) {
    // The Windows program does not look at the shell's answer: without a browser, or without
    // the page, nothing happens and the shell has said so itself.
    (void)shell.shellExecute("open", address, "", "", platform::showcmd::Show);
}

}  // namespace hastelyn::foundation
