#include "platform/sandbox/util/FileEncoding.h"

#include "platform/Text.h"
#include "platform/sandbox/util/Utf16Text.h"

namespace hastelyn::sandbox {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// The code unit at byte offset pos: one byte, or two little-endian ones in UTF-16LE (0xFFFF
// for an odd last byte, which is no line end).
unsigned unitAt(std::string_view s, std::size_t pos, FileEncoding encoding) {
    if (encoding != FileEncoding::Utf16Le) return static_cast<unsigned char>(s[pos]);
    if (pos + 1 >= s.size()) return 0xFFFF;
    return static_cast<unsigned char>(s[pos]) | (static_cast<unsigned>(static_cast<unsigned char>(s[pos + 1])) << 8);
}

std::size_t unitSize(FileEncoding encoding) { return encoding == FileEncoding::Utf16Le ? 2 : 1; }

}  // namespace

FileEncoding encodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) return FileEncoding::Utf16Le;
    if (bytes.starts_with(kUtf8Mark)) return FileEncoding::Utf8Bom;
    return FileEncoding::Ansi;
}

std::string_view byteOrderMark(FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf8Bom: return kUtf8Mark;
        case FileEncoding::Utf16Le: return kUtf16LeMark;
        case FileEncoding::Ansi: break;
    }
    return {};
}

std::vector<std::string_view> splitRawLines(std::string_view body, FileEncoding encoding) {
    std::vector<std::string_view> lines;
    const std::size_t unit = unitSize(encoding);
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < body.size()) {
        const unsigned u = unitAt(body, pos, encoding);
        pos += unit;
        if (u != '\r' && u != '\n') continue;
        if (u == '\r' && pos < body.size() && unitAt(body, pos, encoding) == '\n') pos += unit;
        lines.push_back(body.substr(start, pos - start));
        start = pos;
    }
    if (start < body.size()) lines.push_back(body.substr(start));
    return lines;
}

std::string_view withoutLineEnd(std::string_view rawLine, FileEncoding encoding) {
    const std::size_t unit = unitSize(encoding);
    const auto endsWith = [&](unsigned u) {
        return rawLine.size() >= unit && rawLine.size() % unit == 0 && unitAt(rawLine, rawLine.size() - unit, encoding) == u;
    };
    if (endsWith('\n')) rawLine.remove_suffix(unit);
    if (endsWith('\r')) rawLine.remove_suffix(unit);
    return rawLine;
}

std::string decodeLine(std::string_view rawLine, FileEncoding encoding, bool* shiftJis) {
    if (shiftJis != nullptr) *shiftJis = false;
    const std::string_view line = withoutLineEnd(rawLine, encoding);
    if (encoding == FileEncoding::Utf16Le) return utf16leToUtf8(line);
    if (text::isValidUtf8(line)) return std::string(line);
    if (shiftJis != nullptr) *shiftJis = encoding == FileEncoding::Ansi;
    return text::fromShiftJis(line);
}

std::string encodeLine(std::string_view utf8, FileEncoding encoding, bool preferShiftJis) {
    if (encoding == FileEncoding::Utf16Le) return utf8ToUtf16le(utf8);
    if (preferShiftJis && encoding == FileEncoding::Ansi) {
        std::string out = text::toShiftJis(utf8);
        if (text::fromShiftJis(out) == utf8) return out;
    }
    return std::string(utf8);
}

std::string_view crLf(FileEncoding encoding) {
    using namespace std::string_view_literals;
    return encoding == FileEncoding::Utf16Le ? "\r\0\n\0"sv : "\r\n"sv;
}

std::string decodeTextFile(std::string_view bytes) {
    const FileEncoding encoding = encodingOf(bytes);
    bytes.remove_prefix(byteOrderMark(encoding).size());
    if (encoding != FileEncoding::Utf16Le && text::isValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (const std::string_view raw : splitRawLines(bytes, encoding)) {
        const std::string_view line = withoutLineEnd(raw, encoding);
        out += decodeLine(line, encoding);
        const std::size_t unit = unitSize(encoding);
        for (std::size_t pos = line.size(); pos + unit <= raw.size(); pos += unit)
            out += static_cast<char>(unitAt(raw, pos, encoding));
    }
    return out;
}

std::string encodeTextFile(std::string_view utf8, FileEncoding encoding) {
    std::string out(byteOrderMark(encoding));
    if (encoding == FileEncoding::Utf16Le)
        out += utf8ToUtf16le(utf8);
    else
        out += utf8;
    return out;
}

}  // namespace hastelyn::sandbox
