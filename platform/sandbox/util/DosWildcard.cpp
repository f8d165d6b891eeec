#include "platform/sandbox/util/DosWildcard.h"

#include <string>
#include <vector>

#include "platform/Text.h"

namespace hastelyn::sandbox {
namespace {

// The DOS forms (the names NT gives them).
constexpr char kDosStar = '<';
constexpr char kDosQm = '>';
constexpr char kDosDot = '"';

std::string dosForm(std::string_view pattern) {
    std::string out(pattern);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '*' && next == '.') out[i] = kDosStar;
        else if (pattern[i] == '?') out[i] = kDosQm;
        else if (pattern[i] == '.' && (next == '?' || next == '*' || i + 1 == pattern.size())) out[i] = kDosDot;
    }
    return out;
}

}  // namespace

bool matchesDosPattern(std::string_view rawPattern, std::string_view name) {
    const std::string pattern = dosForm(rawPattern);
    const std::size_t p = pattern.size();
    const std::size_t n = name.size();
    const std::size_t lastDot = name.rfind('.');
    // reach[j]: the pattern so far can have consumed exactly the first j characters of the name.
    std::vector<char> reach(n + 1, 0), next(n + 1, 0);
    reach[0] = 1;
    for (std::size_t i = 0; i < p; ++i) {
        const char c = pattern[i];
        std::fill(next.begin(), next.end(), 0);
        for (std::size_t j = 0; j <= n; ++j) {
            if (!reach[j]) continue;
            switch (c) {
                case '*':
                    for (std::size_t k = j; k <= n; ++k) next[k] = 1;
                    j = n;  // everything from here on is reached
                    break;
                case kDosStar: {
                    // Any run of characters that stops short of the name's last dot (or runs to
                    // the end when there is no dot after j).
                    const std::size_t limit = lastDot != std::string_view::npos && lastDot >= j ? lastDot : n;
                    for (std::size_t k = j; k <= limit; ++k) next[k] = 1;
                    break;
                }
                case kDosQm:
                    if (j == n || name[j] == '.') next[j] = 1;
                    else next[j + 1] = 1;
                    break;
                case kDosDot:
                    if (j == n) next[j] = 1;
                    else if (name[j] == '.') next[j + 1] = 1;
                    break;
                default:
                    if (j < n && text::foldCase(name[j], text::CaseFold::ToUpper) == text::foldCase(c, text::CaseFold::ToUpper)) next[j + 1] = 1;
                    break;
            }
        }
        reach.swap(next);
    }
    return reach[n] != 0;
}

}  // namespace hastelyn::sandbox
