#include "foundation/HelpSearch.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "foundation/CommandError.h"
#include "foundation/WebSearch.h"
#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::foundation {
namespace {

constexpr std::string_view kResultsPage = "search.htm";
constexpr std::string_view kTitleSuffix = " - Hastelyn ヘルプ";
// Characters of context on each side of the first place found.
constexpr std::size_t kContext = 40;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Appends text with every run of blanks as one blank.
void appendCollapsed(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (isBlank(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
}

// A numeric reference's character; NUL, surrogates and numbers past Unicode read as U+FFFD.
void appendReferenced(std::string& out, std::uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    text::appendUtf8(out, code);
}

// Text with its character references decoded (the named ones the pages use, and numeric ones);
// an unknown reference stays as written.
std::string decodeReferences(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed{{
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "},
    }};
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        // A reference is short: look no further for its end, so that text full of '&' stays linear.
        const std::size_t semicolon = text[i] == '&' ? text.substr(0, i + 11).find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos) {
            out += text[i++];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        bool decoded = false;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t code = 0;
            bool valid = !digits.empty();
            for (const char c : digits) {
                const int digit = c >= '0' && c <= '9'             ? c - '0'
                                  : hex && c >= 'a' && c <= 'f'    ? c - 'a' + 10
                                  : hex && c >= 'A' && c <= 'F'    ? c - 'A' + 10
                                                                   : -1;
                if (digit < 0 || code > 0x10FFFF) valid = false;
                if (valid) code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            }
            if (valid) {
                appendReferenced(out, code);
                decoded = true;
            }
        } else {
            for (const auto& [entity, replacement] : kNamed) {
                if (entity == name) {
                    out += replacement;
                    decoded = true;
                }
            }
        }
        if (decoded) {
            i = semicolon + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

// The content of the first element of that name (case as written in our pages), tags inside
// it removed; empty when there is none.
std::string elementText(std::string_view html, std::string_view name) {
    const std::string open = "<" + std::string(name);
    std::size_t start = html.find(open);
    while (start != std::string_view::npos && start + open.size() < html.size() &&
           html[start + open.size()] != '>' && !isBlank(html[start + open.size()]))
        start = html.find(open, start + 1);
    if (start == std::string_view::npos) return {};
    const std::size_t contentStart = html.find('>', start);
    if (contentStart == std::string_view::npos) return {};
    const std::size_t end = html.find("</" + std::string(name), contentStart);
    return pageText(html.substr(contentStart + 1, end == std::string_view::npos ? std::string_view::npos
                                                                                   : end - contentStart - 1));
}

// Back or forward by up to n UTF-8 characters from a character boundary.
std::size_t backCharacters(std::string_view text, std::size_t at, std::size_t n) {
    while (n > 0 && at > 0) {
        --at;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
        --n;
    }
    return at;
}
std::size_t forwardCharacters(std::string_view text, std::size_t at, std::size_t n) {
    while (n > 0 && at < text.size()) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
        --n;
    }
    return at;
}

// A tag of an element that stays within a line: "a href=...", "/kbd".
bool isInline(std::string_view tag) {
    if (!tag.empty() && tag.front() == '/') tag.remove_prefix(1);
    std::size_t length = 0;
    while (length < tag.size() && !isBlank(tag[length]) && tag[length] != '/') ++length;
    const std::string name = text::lowerAscii(tag.substr(0, length));
    for (const std::string_view inlineName : {"a", "b", "code", "em", "i", "kbd", "mark", "span", "strong"})
        if (name == inlineName) return true;
    return false;
}

std::string normalisedWord(std::string_view word) {
    std::string collapsed;
    appendCollapsed(collapsed, word);
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    if (!collapsed.empty() && collapsed.front() == ' ') collapsed.erase(0, 1);
    return collapsed;
}

}  // namespace

std::string pageText(std::string_view html) {
    std::string text;
    // One lower-case copy for finding the ends of skipped elements, whatever their number.
    const std::string lowered = text::lowerAscii(html);
    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            const std::size_t next = std::min(html.find('<', i), html.size());
            appendCollapsed(text, decodeReferences(html.substr(i, next - i)));
            i = next;
            continue;
        }
        // Whole elements whose content is not text for a reader.
        bool skipped = false;
        for (const std::string_view name : {"head", "script", "style"}) {
            const std::string open = "<" + std::string(name);
            if (std::string_view(lowered).substr(i, open.size()) == open &&
                (i + open.size() >= html.size() || html[i + open.size()] == '>' || isBlank(html[i + open.size()]))) {
                const std::size_t close = lowered.find("</" + std::string(name), i);
                const std::size_t end = close == std::string::npos ? html.size() : html.find('>', close);
                i = end == std::string_view::npos ? html.size() : end + 1;
                skipped = true;
                break;
            }
        }
        if (skipped) continue;
        const std::size_t end = html.find('>', i);
        const std::string_view tag = html.substr(i + 1, (end == std::string_view::npos ? html.size() : end) - i - 1);
        i = end == std::string_view::npos ? html.size() : end + 1;
        // A tag within a line of text (a link, a key) joins what is around it; any other tag
        // parts words as a blank would.
        if (!isInline(tag) && !text.empty() && text.back() != ' ') text += ' ';
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    return text;
}

std::vector<HelpSearchHit> searchHelpPages(platform::FileSystem& files, std::string_view helpFolder,
                                           std::string_view word) {
    std::vector<HelpSearchHit> hits;
    const std::string wanted = text::lowerAscii(normalisedWord(word));
    if (wanted.empty()) return hits;
    std::vector<platform::FindData> found;
    if (!files.findFiles(std::string(helpFolder) + "*.htm", found).ok()) return hits;
    std::vector<std::string> names;
    for (const platform::FindData& entry : found) {
        if ((entry.attributes & platform::fileattr::Directory) != 0) continue;
        if (text::lowerAscii(entry.name) == kResultsPage) continue;
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string html;
        // A page that cannot be read is not found; the others still are.
        if (!files.readFile(std::string(helpFolder) + name, html).ok()) continue;
        const std::string body = pageText(html);
        const std::string folded = text::lowerAscii(body);
        std::size_t at = folded.find(wanted);
        if (at == std::string::npos) continue;
        HelpSearchHit hit;
        hit.page = name;
        hit.title = elementText(html, "title");
        if (hit.title.ends_with(kTitleSuffix)) hit.title.resize(hit.title.size() - kTitleSuffix.size());
        if (hit.title.empty()) hit.title = name;
        const std::size_t from = backCharacters(body, at, kContext);
        const std::size_t to = forwardCharacters(body, at + wanted.size(), kContext);
        hit.excerpt = (from > 0 ? "…" : "") + escapeHtml(body.substr(from, at - from)) + "<mark>" +
                      escapeHtml(body.substr(at, wanted.size())) + "</mark>" +
                      escapeHtml(body.substr(at + wanted.size(), to - at - wanted.size())) + (to < body.size() ? "…" : "");
        for (; at != std::string::npos; at = folded.find(wanted, at + wanted.size())) ++hit.places;
        hits.push_back(std::move(hit));
    }
    return hits;
}

std::string helpSearchResultsPage(std::string_view word, const std::vector<HelpSearchHit>& hits) {
    const std::string shown = escapeHtml(normalisedWord(word));
    std::string page =
        "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>「" + shown +
        "」の検索結果" + std::string(kTitleSuffix) +
        "</title>\r\n<link rel=\"stylesheet\" href=\"style.css\">\r\n</head>\r\n<body>\r\n"
        "<header><h1>Hastelyn ヘルプ</h1></header>\r\n"
        "<nav><a href=\"index.htm\">はじめに</a><a href=\"usage.htm\">使い方</a><a href=\"keys.htm\">キー操作と音声"
        "</a><a href=\"restore.htm\">復元ポイント</a><a href=\"cli.htm\">コマンドライン</a></nav>\r\n"
        "<main>\r\n<h1>サイト内検索</h1>\r\n";
    if (hits.empty()) {
        page += "<p>「" + shown + "」を含むページは見つかりませんでした。</p>\r\n";
    } else {
        page += "<p>「" + shown + "」を含むページ : " + std::to_string(hits.size()) + " 件</p>\r\n<ol>\r\n";
        for (const HelpSearchHit& hit : hits) {
            page += "<li><a href=\"" + escapeHtml(hit.page) + "\">" + escapeHtml(hit.title) + "</a> (" +
                    std::to_string(hit.places) + " か所)<br>" + hit.excerpt + "</li>\r\n";
        }
        page += "</ol>\r\n";
    }
    page += "</main>\r\n</body>\r\n</html>\r\n";
    return page;
}

std::string searchHelp(platform::Platform& platform, std::string_view word) {
    const std::string folder = helpPagePath(platform.system.programPath(), "");
    const std::string results = folder + std::string(kResultsPage);
    const std::string page = helpSearchResultsPage(word, searchHelpPages(platform.files, folder, word));
    if (const platform::CallResult written = platform.files.replaceFile(results, page); !written.ok())
        throw CommandError("ファイル \"" + results + "\" に検索結果を書き込めませんでした。" +
                           platform.system.errorText(written.code()));
    return results;
}

}  // namespace hastelyn::foundation
