#include "platform/sandbox/registry/HiveFileReader.h"

#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/registry/RegistryText.h"
#include "platform/sandbox/util/FileEncoding.h"

namespace hastelyn::sandbox {
namespace {

using platform::RootKey;
namespace regtype = platform::regtype;

std::string_view trimLeft(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    const std::size_t last = s.find_last_not_of(" \t\r");
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && text::equalsNoCase(s.substr(0, prefix.size()), prefix);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hexadecimal digits and nothing else.
bool parseHexNumber(std::string_view s, std::uint32_t& out) {
    if (s.empty() || s.size() > 8) return false;
    out = 0;
    for (const char c : s) {
        const int d = hexDigit(c);
        if (d < 0) return false;
        out = (out << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

// "01,02, ff" (1 or 2 digits a byte, spaces around them, a trailing comma allowed).
bool parseHexBytes(std::string_view s, std::string& out) {
    out.clear();
    if (trim(s).empty()) return true;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = s.find(',', start);
        const bool last = comma == std::string_view::npos;
        if (last) comma = s.size();
        const std::string_view token = trim(s.substr(start, comma - start));
        if (last && token.empty() && !out.empty()) return true;
        std::uint32_t byte = 0;
        if (token.size() > 2 || !parseHexNumber(token, byte)) return false;
        out += static_cast<char>(byte);
        if (last) return true;
        start = comma + 1;
    }
}

// A quoted string at s[pos]; regedit escapes only \\ and \", any other backslash is kept as
// it stands (hand-written paths). False when the closing quote is missing.
bool readQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    out.clear();
    ++pos;
    while (pos < s.size()) {
        std::size_t stop = pos;
        while (stop < s.size() && s[stop] != '"' && s[stop] != '\\') ++stop;
        out.append(s.substr(pos, stop - pos));
        if (stop == s.size()) break;
        pos = stop;
        if (s[pos] == '"') {
            ++pos;
            return true;
        }
        if (pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"')) {
            out += s[pos + 1];
            pos += 2;
        } else {
            out += '\\';
            ++pos;
        }
    }
    pos = s.size();
    return false;
}

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        return true;
    }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

class Reader {
public:
    Reader(RootKey root, HiveKey& hive) : root_(root), hive_(hive) {}

    bool run(std::string_view fileBytes) {
        // UTF-8 is read in place; UTF-16LE and lines that are not UTF-8 are decoded first.
        const FileEncoding encoding = encodingOf(fileBytes);
        std::string_view text = fileBytes.substr(byteOrderMark(encoding).size());
        std::string converted;
        if (encoding == FileEncoding::Utf16Le || !text::isValidUtf8(text)) {
            converted = replaceInvalidUtf8(decodeTextFile(fileBytes));
            text = converted;
        }
        Lines lines(text);
        bool first = true;
        std::string_view raw;
        while (lines.next(raw)) {
            const std::string_view line = trim(raw);
            if (line.empty()) continue;
            if (first) {
                first = false;
                if (line == "Windows Registry Editor Version 5.00") continue;
                if (text::equalsNoCase(line, "REGEDIT4")) {
                    unicode_ = false;
                    continue;
                }
            }
            if (line[0] == '[')
                keyLine(line);
            else if (line[0] == '"' || line[0] == '@')
                valueLine(line, lines);
        }
        return touched_;
    }

private:
    void keyLine(std::string_view line) {
        current_ = nullptr;
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos) return;
        std::string_view path = line.substr(1, close - 1);
        const bool remove = !path.empty() && path[0] == '-';
        if (remove) path.remove_prefix(1);
        const std::size_t slash = path.find('\\');
        const auto root = rootKeyFromName(path.substr(0, slash));
        if (!root || *root != root_) return;
        touched_ = true;
        if (!splitKeyPath(slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1), names_))
            return;
        if (remove) {
            if (names_.empty()) {
                hive_.clear();
                return;
            }
            HiveKey* parent = &hive_;
            for (std::size_t i = 0; parent && i + 1 < names_.size(); ++i) parent = parent->findChild(names_[i]);
            if (parent) parent->removeChild(names_.back());
            return;
        }
        HiveKey* key = &hive_;
        for (const std::string& name : names_) key = &key->child(name);
        current_ = key;
    }

    void valueLine(std::string_view line, Lines& lines) {
        std::size_t pos = 0;
        if (line[0] == '@')
            pos = 1;
        else if (!readQuoted(line, pos, scratch_))
            return;
        const std::string name = line[0] == '@' ? std::string() : cleanValueName(scratch_);
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos || line[pos] != '=') return;
        std::string_view data = trim(line.substr(pos + 1));
        if ((startsWithNoCase(data, "hex") || startsWithNoCase(data, "multi:")) && data.ends_with('\\'))
            data = joinContinuation(data, lines);
        if (current_ == nullptr || data.empty()) return;
        if (data == "-") {
            current_->removeValue(name);
            return;
        }
        std::uint32_t type = 0;
        if (parseData(data, type, bytes_)) current_->setValue(name, type, bytes_);
    }

    // A value whose line ends in a backslash goes on in the following lines.
    std::string_view joinContinuation(std::string_view data, Lines& lines) {
        joined_.assign(data);
        while (!joined_.empty() && joined_.back() == '\\') {
            joined_.pop_back();
            const std::size_t mark = lines.position();
            std::string_view next;
            if (!lines.next(next)) break;
            next = trim(next);
            if (!next.empty() && next[0] == '[') {
                lines.rewind(mark);
                break;
            }
            joined_.append(next);
        }
        return joined_;
    }

    bool parseData(std::string_view data, std::uint32_t& type, std::string& out) {
        std::size_t pos = 0;
        if (data[0] == '"') {
            type = regtype::Sz;
            return quotedText(data, pos, out);
        }
        if (startsWithNoCase(data, "expand:")) {
            type = regtype::ExpandSz;
            pos = data.find_first_not_of(" \t", 7);
            return pos != std::string_view::npos && data[pos] == '"' && quotedText(data, pos, out);
        }
        if (startsWithNoCase(data, "multi:")) {
            type = regtype::MultiSz;
            return multiText(data.substr(6), out);
        }
        if (startsWithNoCase(data, "dword:")) {
            std::uint32_t number = 0;
            if (!parseHexNumber(trim(data.substr(6)), number)) return false;
            type = regtype::Dword;
            out.clear();
            for (int i = 0; i < 4; ++i) out += static_cast<char>((number >> (8 * i)) & 0xFF);
            return true;
        }
        if (startsWithNoCase(data, "hex:")) {
            type = regtype::Binary;
            return parseHexBytes(data.substr(4), out);
        }
        if (startsWithNoCase(data, "hex(")) {
            const std::size_t close = data.find(')');
            if (close == std::string_view::npos || close + 1 >= data.size() || data[close + 1] != ':') return false;
            if (!parseHexNumber(data.substr(4, close - 4), type)) return false;
            if (!parseHexBytes(data.substr(close + 2), out)) return false;
            if (type == regtype::Sz || type == regtype::ExpandSz || type == regtype::MultiSz) out = stringData(out);
            return true;
        }
        return false;
    }

    // String data of a hex(1), hex(2) or hex(7) value: UTF-16LE, or 8-bit text in a REGEDIT4 file.
    std::string stringData(std::string_view bytes) const {
        if (unicode_) return utf16leToUtf8(bytes);
        if (text::isValidUtf8(bytes)) return std::string(bytes);
        return replaceInvalidUtf8(text::fromShiftJis(bytes));
    }

    bool quotedText(std::string_view data, std::size_t& pos, std::string& out) {
        if (!readQuoted(data, pos, out)) return false;
        out += '\0';
        return true;
    }

    // "a", "b" (possibly none) as a multi-string.
    bool multiText(std::string_view list, std::string& out) {
        out.clear();
        std::size_t pos = list.find_first_not_of(" \t");
        while (pos != std::string_view::npos) {
            if (list[pos] != '"' || !readQuoted(list, pos, scratch_)) return false;
            out += scratch_;
            out += '\0';
            pos = list.find_first_not_of(" \t", pos);
            if (pos == std::string_view::npos) break;
            if (list[pos] != ',') return false;
            pos = list.find_first_not_of(" \t", pos + 1);
        }
        out += '\0';
        return true;
    }

    RootKey root_;
    HiveKey& hive_;
    HiveKey* current_ = nullptr;
    bool unicode_ = true;
    bool touched_ = false;
    std::vector<std::string> names_;
    std::string scratch_;
    std::string bytes_;
    std::string joined_;
};

}  // namespace

bool applyHiveFile(std::string_view fileBytes, RootKey root, HiveKey& hive) {
    return Reader(root, hive).run(fileBytes);
}

std::unique_ptr<HiveKey> parseHiveFile(std::string_view fileBytes, RootKey root) {
    auto hive = std::make_unique<HiveKey>();
    applyHiveFile(fileBytes, root, *hive);
    return hive;
}

}  // namespace hastelyn::sandbox
