#include "foundation/CommentText.h"

#include <vector>

#include "platform/Text.h"

namespace hastelyn::foundation {
namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // "　"
constexpr std::string_view kMiddleDot = "\xE3\x83\xBB";        // "・"
constexpr std::string_view kBreak = "\r\n";

// A break stays when what follows it starts a paragraph, a list line or an indented line.
bool keepsBreakBefore(std::string_view rest) {
    return rest.starts_with(kBreak) || rest.starts_with(' ') || rest.starts_with(kMiddleDot);
}

// Appends line to out, broken into pieces of firstLimit bytes, then limit bytes each.
void appendBrokenLine(std::string& out, std::string_view line, std::size_t firstLimit, std::size_t limit) {
    std::size_t pieceLimit = firstLimit;
    std::size_t pos = 0;
    while (text::shiftJisLength(line.substr(pos)) > pieceLimit) {
        std::size_t bytes = 0;  // Shift_JIS bytes of the piece so far
        std::size_t end = pos;
        while (bytes < pieceLimit) {
            const std::size_t length = text::utf8CharLength(line, end);
            bytes += text::shiftJisLength(line.substr(end, length));
            end += length;
        }
        // A character that would be split goes with this piece; when it ends the line there
        // is nothing left to break off.
        if (end >= line.size()) break;
        out.append(line.substr(pos, end - pos));
        out.append(kBreak);
        pos = end;
        pieceLimit = limit;
    }
    out.append(line.substr(pos));
}

}  // namespace

std::string reflowComment(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(kFullWidthSpace)) {
            i += kFullWidthSpace.size();
        } else {
            s += text[i++];
        }
    }

    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        // A break is looked at only when something follows it: the break that ends the text
        // stays.
        const bool isBreak = s.compare(i, kBreak.size(), kBreak) == 0 && i + kBreak.size() < s.size();
        if (!isBreak) {
            out += s[i++];
            continue;
        }
        const std::string_view rest = std::string_view(s).substr(i + kBreak.size());
        if (rest.starts_with(kBreak)) {
            out.append("\r\n\r\n");
            i += 2 * kBreak.size();
        } else if (keepsBreakBefore(rest)) {
            out.append(kBreak);
            i += kBreak.size();
        } else {
            i += kBreak.size();  // joined with the next line
        }
    }
    return out;
}

std::string breakHintLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kBreak, start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kBreak.size();
    }
    if (lines.size() < 3) return std::string(text);

    std::string out;
    out.reserve(text.size() + text.size() / 50);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (n > 0) out.append(kBreak);
        const bool inner = n > 0 && n + 1 < lines.size();
        if (inner) {
            appendBrokenLine(out, lines[n], 100, 102);
        } else {
            out.append(lines[n]);
        }
    }
    return out;
}

}  // namespace hastelyn::foundation
