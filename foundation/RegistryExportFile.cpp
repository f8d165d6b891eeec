#include "foundation/RegistryExportFile.h"

#include <cstdint>

#include "platform/Text.h"

namespace hastelyn::foundation {
namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Whether the text ends with an empty line, as the tools end every key: a file cut short
// does not.
bool endsWithEmptyLine(std::string_view body) {
    if (body.ends_with("\r\n")) body.remove_suffix(2);
    else if (body.ends_with('\n') || body.ends_with('\r')) body.remove_suffix(1);
    else return false;
    return body.ends_with('\n') || body.ends_with('\r');
}

// The file as UTF-8 lines (without line ends), its mark dropped; complete tells whether it
// ends with an empty line.
std::vector<std::string> textLines(std::string_view bytes, bool& complete) {
    bool ansi = false;
    std::string body;
    if (bytes.starts_with(kUtf16Mark)) {
        body = text::utf16leToUtf8(bytes.substr(kUtf16Mark.size()));
    } else if (bytes.starts_with(kUtf8Mark)) {
        body = bytes.substr(kUtf8Mark.size());
    } else {
        body = bytes;
        ansi = true;
    }
    complete = endsWithEmptyLine(body);
    std::vector<std::string> lines;
    std::string_view rest = body;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        // A line of an ANSI file that is not UTF-8 was written in the system's code page.
        lines.push_back(ansi && !text::isValidUtf8(line) ? text::fromShiftJis(line) : std::string(line));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + (rest.substr(end).starts_with("\r\n") ? 2 : 1));
    }
    return lines;
}

RegistryTextKey keyLine(std::string_view line) {
    RegistryTextKey key;
    line = trimmed(line);
    line.remove_prefix(1);  // "["
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close + 1 != line.size()) key.wellFormed = false;
    std::string_view name = line.substr(0, close);
    if (name.starts_with('-')) {
        key.deletion = true;
        name.remove_prefix(1);
    }
    key.name = name;
    return key;
}

std::uint32_t dword(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

std::uint16_t word(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

std::optional<std::vector<RegistryTextKey>> readRegistryTextKeys(std::string_view bytes) {
    if (bytes.size() > kMaxRegistryExportBytes) return std::nullopt;
    bool complete = false;
    const std::vector<std::string> lines = textLines(bytes, complete);
    if (lines.empty() || !complete) return std::nullopt;
    const std::string_view header = trimmed(lines.front());
    if (header != kHeader4 && header != kHeader5) return std::nullopt;
    std::vector<RegistryTextKey> keys;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.find('\0') != std::string_view::npos) return std::nullopt;
        const std::string_view content = trimmed(line);
        if (content.starts_with('[')) {
            keys.push_back(keyLine(content));
        } else if (!content.empty() && !content.starts_with(';') && keys.empty()) {
            return std::nullopt;  // a value with no key to go to
        }
    }
    return keys;
}

bool isKeyOrBelow(std::string_view name, std::string_view key) {
    if (name.size() < key.size() || !text::equalsNoCase(name.substr(0, key.size()), key)) return false;
    return name.size() == key.size() || name[key.size()] == '\\';
}

std::optional<std::string> savedHiveRootName(std::string_view bytes) {
    // The base block: signature, sequence numbers, time, version 1.x, a primary file, the
    // direct memory load format, the root cell, the length of the bins, and at 0x1FC the XOR
    // of the 127 double words before it.
    constexpr std::size_t kBlock = 0x1000;
    if (bytes.size() < 2 * kBlock || bytes.size() > kMaxRegistryExportBytes || !bytes.starts_with("regf"))
        return std::nullopt;
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 0x1FC; at += 4) sum ^= dword(bytes, at);
    if (sum == 0xFFFFFFFFu) sum = 0xFFFFFFFEu;
    if (sum == 0) sum = 1;
    if (sum != dword(bytes, 0x1FC) || dword(bytes, 0x14) != 1 || dword(bytes, 0x1C) != 0 || dword(bytes, 0x20) != 1)
        return std::nullopt;
    const std::uint64_t rootCell = dword(bytes, 0x24);
    const std::uint64_t binsLength = dword(bytes, 0x28);
    if (binsLength == 0 || binsLength % kBlock != 0 || kBlock + binsLength > bytes.size()) return std::nullopt;
    const std::string_view bins = bytes.substr(kBlock, binsLength);
    if (!bins.starts_with("hbin")) return std::nullopt;

    // The root cell: a negative (allocated) size, "nk", the flag of the hive's entry key, the
    // name's length at 0x48 and the name at 0x4C of the node; a compressed name is one byte a
    // character (Latin-1), any other UTF-16LE.
    constexpr std::size_t kNameLength = 0x48;
    constexpr std::size_t kName = 0x4C;
    constexpr std::uint16_t kHiveEntry = 0x0004;
    constexpr std::uint16_t kCompressedName = 0x0020;
    if (rootCell % 8 != 0 || rootCell + 4 + kName > bins.size()) return std::nullopt;
    const auto cellSize = static_cast<std::int32_t>(dword(bins, rootCell));
    if (cellSize >= 0) return std::nullopt;
    const std::uint64_t cellLength = static_cast<std::uint64_t>(-static_cast<std::int64_t>(cellSize));
    if (rootCell + cellLength > bins.size()) return std::nullopt;
    const std::string_view node = bins.substr(rootCell + 4, cellLength - 4);
    if (node.size() < kName || !node.starts_with("nk") || (word(node, 2) & kHiveEntry) == 0) return std::nullopt;
    const std::size_t nameLength = word(node, kNameLength);
    if (nameLength == 0 || kName + nameLength > node.size()) return std::nullopt;
    const std::string_view name = node.substr(kName, nameLength);
    if ((word(node, 2) & kCompressedName) == 0) return text::utf16leToUtf8(name);
    std::string out;
    for (const char c : name) text::appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

}  // namespace hastelyn::foundation
