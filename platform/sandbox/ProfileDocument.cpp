#include "platform/sandbox/ProfileDocument.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/sandbox/util/FileEncoding.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view trimLeadingBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    return s;
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A name as the caller's C string gives it, blanks around it removed, folded for lookups.
std::string foldedName(std::string_view name) { return text::upperAscii(trimBlanks(text::cutAtNul(name))); }

}  // namespace

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
    ProfileDocument doc;
    doc.encoding_ = encodingOf(bytes);
    bytes.remove_prefix(byteOrderMark(doc.encoding_).size());
    const std::vector<std::string_view> raw = splitRawLines(bytes, doc.encoding_);
    doc.lines_.reserve(raw.size());
    doc.stored_.reserve(raw.size());
    bool utf8 = false;  // a line of UTF-8 beyond ASCII
    bool shiftJis = false;
    for (const std::string_view line : raw) {
        bool lineShiftJis = false;
        doc.lines_.push_back(decodeLine(line, doc.encoding_, &lineShiftJis));
        const bool ended = withoutLineEnd(line, doc.encoding_).size() != line.size();
        doc.stored_.push_back(Stored{std::string(line), lineShiftJis, {}, ended});
        shiftJis = shiftJis || lineShiftJis;
        utf8 = utf8 || (!lineShiftJis && !isAscii(line));
    }
    doc.shiftJisFile_ = shiftJis && !utf8;
    doc.reindex();
    return doc;
}

ProfileDocument::LineInfo ProfileDocument::classify(std::string_view line) {
    LineInfo info;
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && isBlank(line[begin])) ++begin;
    while (end > begin && isBlank(line[end - 1])) --end;
    if (begin == end) return info;

    if (line[begin] == '[') {
        const std::size_t close = line.substr(0, end).rfind(']');
        if (close != std::string_view::npos && close > begin) {
            info.kind = Kind::Header;
            const std::string_view inner = line.substr(begin + 1, close - begin - 1);
            const std::string_view name = trimBlanks(text::cutAtNul(inner));
            info.nameBegin = name.empty() ? begin + 1 : static_cast<std::size_t>(name.data() - line.data());
            info.nameLength = name.size();
            return info;
        }
    }

    const std::string_view body = line.substr(begin, end - begin);
    const std::size_t eq = body.find('=');
    if (body.front() == ';') {
        info.kind = Kind::Comment;
        return info;
    }
    if (eq == std::string_view::npos) {
        info.kind = Kind::Text;
        return info;
    }
    const std::string_view name = trimBlanks(text::cutAtNul(body.substr(0, eq)));
    const std::string_view value = trimBlanks(text::cutAtNul(body.substr(eq + 1)));
    info.kind = Kind::Entry;
    info.nameBegin = name.empty() ? begin : static_cast<std::size_t>(name.data() - line.data());
    info.nameLength = name.size();
    info.valueBegin = value.empty() ? begin + eq + 1 : static_cast<std::size_t>(value.data() - line.data());
    info.valueLength = value.size();
    return info;
}

std::string_view ProfileDocument::nameOf(std::size_t line) const {
    return std::string_view(lines_[line]).substr(info_[line].nameBegin, info_[line].nameLength);
}

std::string_view ProfileDocument::valueOf(std::size_t line) const {
    return std::string_view(lines_[line]).substr(info_[line].valueBegin, info_[line].valueLength);
}

void ProfileDocument::reindex() {
    info_.clear();
    sections_.clear();
    sectionIndex_.clear();
    indexFrom(0);
}

void ProfileDocument::indexFrom(std::size_t first) {
    info_.reserve(lines_.size());
    for (std::size_t i = first; i < lines_.size(); ++i) {
        info_.push_back(classify(lines_[i]));
        const LineInfo& info = info_.back();
        if (info.kind == Kind::Header) {
            if (!sections_.empty()) sections_.back().end = i;
            Section section;
            section.header = i;
            section.end = i + 1;
            section.lastEntry = i;
            sections_.push_back(std::move(section));
            sectionIndex_.try_emplace(text::upperAscii(nameOf(i)), sections_.size() - 1);
        } else if (info.kind == Kind::Entry && !sections_.empty()) {
            Section& section = sections_.back();
            section.lastEntry = i;
            section.entries.try_emplace(text::upperAscii(nameOf(i)), i - section.header);
        }
    }
    if (!sections_.empty()) sections_.back().end = lines_.size();
}

void ProfileDocument::appendText(std::string_view text) {
    const std::size_t first = lines_.size();
    insertText(first, text);
    indexFrom(first);
}

bool ProfileDocument::insertEntryAfterLast(std::size_t sectionNumber, std::string line) {
    const LineInfo info = classify(line);
    if (info.kind != Kind::Entry || line.find_first_of("\r\n") != std::string::npos) return false;
    const std::size_t at = sections_[sectionNumber].lastEntry + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    stored_.insert(stored_.begin() + static_cast<std::ptrdiff_t>(at), Stored{std::nullopt, shiftJisFile_, {}});
    info_.insert(info_.begin() + static_cast<std::ptrdiff_t>(at), info);
    // Entries are kept relative to their header, so the sections below only move as a whole.
    Section& section = sections_[sectionNumber];
    ++section.end;
    section.lastEntry = at;
    section.entries.try_emplace(text::upperAscii(nameOf(at)), at - section.header);
    for (std::size_t n = sectionNumber + 1; n < sections_.size(); ++n) {
        ++sections_[n].header;
        ++sections_[n].end;
        ++sections_[n].lastEntry;
    }
    return true;
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view foldedName) const {
    const auto it = sectionIndex_.find(std::string(foldedName));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::size_t> ProfileDocument::findEntry(const Section& section, std::string_view foldedName) {
    const auto it = section.entries.find(std::string(foldedName));
    if (it == section.entries.end()) return std::nullopt;
    return section.header + it->second;
}

std::optional<std::string_view> ProfileDocument::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(foldedName(section));
    if (s == nullptr) return std::nullopt;
    const auto line = findEntry(*s, foldedName(key));
    if (!line) return std::nullopt;
    return valueOf(*line);
}

bool ProfileDocument::hasSection(std::string_view section) const { return findSection(foldedName(section)) != nullptr; }

std::vector<std::string_view> ProfileDocument::sectionNames() const {
    std::vector<std::string_view> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_) names.push_back(nameOf(s.header));
    return names;
}

std::vector<std::string_view> ProfileDocument::keyNames(std::string_view section) const {
    std::vector<std::string_view> names;
    const Section* s = findSection(foldedName(section));
    if (s == nullptr) return names;
    for (std::size_t i = s->header + 1; i < s->end; ++i) {
        if (info_[i].kind == Kind::Entry && info_[i].nameLength > 0) names.push_back(nameOf(i));
    }
    return names;
}

void ProfileDocument::insertText(std::size_t at, std::string_view text) {
    std::vector<std::string> piece;
    for (const std::string_view line : splitRawLines(text, FileEncoding::Ansi))
        piece.emplace_back(withoutLineEnd(line, FileEncoding::Ansi));
    if (piece.empty()) piece.emplace_back();
    stored_.insert(stored_.begin() + static_cast<std::ptrdiff_t>(at), piece.size(), Stored{std::nullopt, shiftJisFile_, {}});
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(piece.begin()),
                  std::make_move_iterator(piece.end()));
}

void ProfileDocument::eraseLines(std::size_t first, std::size_t count) {
    const auto begin = static_cast<std::ptrdiff_t>(first);
    const auto end = static_cast<std::ptrdiff_t>(first + count);
    lines_.erase(lines_.begin() + begin, lines_.begin() + end);
    stored_.erase(stored_.begin() + begin, stored_.begin() + end);
}

bool ProfileDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    return setValue(section, key, value, nullptr);
}

bool ProfileDocument::setValues(const std::vector<platform::ProfileWrite>& writes) {
    Pending pending;
    bool changed = false;
    for (const platform::ProfileWrite& w : writes) changed = setValue(w.section, w.key, w.value, &pending) || changed;
    insertPending(pending);
    return changed;
}

void ProfileDocument::insertPending(Pending& pending) {
    if (pending.empty()) return;
    std::size_t count = lines_.size();
    for (const auto& [number, waiting] : pending) count += waiting.lines.size();
    std::vector<std::string> lines;
    std::vector<Stored> stored;
    lines.reserve(count);
    stored.reserve(count);
    // Sections follow each other, so their last entries come in the order of their numbers.
    auto next = pending.begin();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines.push_back(std::move(lines_[i]));
        stored.push_back(std::move(stored_[i]));
        for (; next != pending.end() && sections_[next->first].lastEntry == i; ++next) {
            for (std::string& line : next->second.lines) {
                lines.push_back(std::move(line));
                stored.push_back(Stored{std::nullopt, shiftJisFile_, {}});
            }
        }
    }
    lines_ = std::move(lines);
    stored_ = std::move(stored);
    pending.clear();
    reindex();
}

bool ProfileDocument::setValue(std::string_view section, std::string_view key, std::string_view value, Pending* pending) {
    const std::string_view sectionName = trimBlanks(text::cutAtNul(section));
    const std::string_view keyName = trimBlanks(text::cutAtNul(key));
    const std::string_view newValue = trimLeadingBlanks(text::cutAtNul(value));

    const Section* s = findSection(text::upperAscii(sectionName));
    if (s == nullptr) {
        std::string added = "[";
        added.append(sectionName).append("]\n").append(keyName).append("=").append(newValue);
        appendText(added);
        return true;
    }
    const std::string foldedKey = text::upperAscii(keyName);
    const auto sectionNumber = static_cast<std::size_t>(s - sections_.data());
    if (const auto line = findEntry(*s, foldedKey)) {
        if (valueOf(*line) == newValue) return false;
        std::string replaced(nameOf(*line));
        replaced.append("=").append(newValue);
        if (replaced.find_first_of("\r\n") != std::string::npos) {
            if (pending != nullptr && !pending->empty()) {
                insertPending(*pending);  // the lines move: looked up again
                return setValue(section, key, value, nullptr);
            }
            eraseLines(*line, 1);
            insertText(*line, replaced);
            reindex();
            return true;
        }
        lines_[*line] = std::move(replaced);
        // Written anew, in the line's or the file's encoding, with the line end it had.
        Stored& stored = stored_[*line];
        if (stored.raw) stored.lineEnd = stored.raw->substr(withoutLineEnd(*stored.raw, encoding_).size());
        stored.raw.reset();
        stored.shiftJis = stored.shiftJis || shiftJisFile_;
        info_[*line] = classify(lines_[*line]);  // same name, so the indexes still hold
        return true;
    }
    std::string added(keyName);
    added.append("=").append(newValue);
    if (pending != nullptr) {
        const LineInfo info = classify(added);
        const bool oneEntry = info.kind == Kind::Entry && added.find_first_of("\r\n") == std::string::npos;
        PendingLines& waiting = (*pending)[sectionNumber];
        if (oneEntry && !waiting.entries.contains(foldedKey)) {
            waiting.entries.insert(text::upperAscii(std::string_view(added).substr(info.nameBegin, info.nameLength)));
            waiting.lines.push_back(std::move(added));
            return true;
        }
        // What cannot wait (a key written twice in one go, a line that is no single entry) goes
        // in after what waits.
        insertPending(*pending);
        return setValue(section, key, value, nullptr);
    }
    if (insertEntryAfterLast(sectionNumber, added)) return true;
    // A line that does not read back as one entry (several lines, a name like "[x]" or ";x"):
    // everything is read again.
    insertText(s->lastEntry + 1, added);
    reindex();
    return true;
}

bool ProfileDocument::removeKey(std::string_view section, std::string_view key) {
    const std::string folded = foldedName(section);
    const std::string foldedKey = foldedName(key);
    for (const Section& s : sections_) {
        if (text::upperAscii(nameOf(s.header)) != folded) continue;
        if (const auto line = findEntry(s, foldedKey)) {
            eraseLines(*line, 1);
            reindex();
            return true;
        }
    }
    return false;
}

bool ProfileDocument::removeSection(std::string_view section) {
    const Section* s = findSection(foldedName(section));
    if (s == nullptr) return false;
    eraseLines(s->header, s->end - s->header);
    reindex();
    return true;
}

std::string ProfileDocument::text() const {
    std::size_t size = byteOrderMark(encoding_).size();
    for (std::size_t i = 0; i < lines_.size(); ++i) size += (stored_[i].raw ? stored_[i].raw->size() : lines_[i].size()) + 2;
    std::string out(byteOrderMark(encoding_));
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Stored& stored = stored_[i];
        if (!stored.raw) {
            // Kept as the bytes it is written as: the same bytes next time, and a later edit of
            // the line still ends it as before.
            std::string bytes = encodeLine(lines_[i], encoding_, stored.shiftJis);
            bytes += stored.lineEnd.empty() ? crLf(encoding_) : std::string_view(stored.lineEnd);
            out += bytes;
            stored.raw = std::move(bytes);
            stored.ended = true;
            stored.lineEnd.clear();
            continue;
        }
        // The file's last line may lack its line end: one is added when lines follow it, after
        // the odd byte a UTF-16 file may end with (no character, and out of step with the rest).
        if (stored.ended || i + 1 == lines_.size()) {
            out += *stored.raw;
            continue;
        }
        const bool odd = encoding_ == FileEncoding::Utf16Le && stored.raw->size() % 2 != 0;
        out.append(*stored.raw, 0, stored.raw->size() - (odd ? 1 : 0));
        out += crLf(encoding_);
    }
    return out;
}

std::string profileValueForBuffer(std::string_view value, std::size_t bufferSize) {
    value = withoutQuotes(text::cutAtNul(value));
    if (bufferSize == 0) return {};
    return std::string(text::cutToShiftJisLength(value, bufferSize - 1));
}

std::vector<std::string> profileNamesForBuffer(const std::vector<std::string_view>& names, std::size_t bufferSize) {
    std::vector<std::string> out;
    if (bufferSize < 2) return out;
    std::size_t room = bufferSize - 2;
    for (std::string_view name : names) {
        const std::size_t width = text::shiftJisLength(name);
        if (width + 1 <= room) {
            out.emplace_back(name);
            room -= width + 1;
            continue;
        }
        const std::string_view cut = text::cutToShiftJisLength(name, room);
        if (!cut.empty()) out.emplace_back(cut);
        break;
    }
    return out;
}

std::string_view profileDefaultValue(std::string_view defaultValue) {
    defaultValue = text::cutAtNul(defaultValue);
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    return defaultValue;
}

}  // namespace hastelyn::sandbox
