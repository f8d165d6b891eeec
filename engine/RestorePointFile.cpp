#include "engine/RestorePointFile.h"

#include "engine/ExactValues.h"
#include "foundation/BoundedFile.h"
#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;

constexpr std::string_view kLineBreaks{"\r\n\0", 3};
// What the profile reader takes off around a value.
constexpr std::string_view kBlanks = " \t\v\f\x1a";
// The longest value the profile reader returns (a 2048-byte buffer; a UTF-8 text is never
// shorter in Shift_JIS).
constexpr std::size_t kLongestValue = 2047;

// A key name that stands in a line as itself: a key that could not is not written at all.
bool keyHolds(std::string_view key) {
    return !key.empty() && key.find_first_of(kLineBreaks) == std::string_view::npos &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           kBlanks.find(key.front()) == std::string_view::npos && kBlanks.find(key.back()) == std::string_view::npos;
}

std::string textKey(std::string_view section, std::string_view key) {
    return std::string(section) + ":" + std::string(key);
}

[[noreturn]] void refuse(std::string_view path, std::string_view why) {
    throw foundation::CommandError("ファイル \"" + std::string(path) + "\" は、" + std::string(why) + "何も変更しませんでした。");
}

// The file's lines and sections counted, and whether its last line ends without a line break
// while holding a value. UTF-16LE after its mark is read unit by unit, anything else byte by byte.
struct Shape {
    std::size_t lines = 0;
    std::size_t sections = 0;
    bool cutValue = false;
};

Shape shapeOf(std::string_view bytes) {
    const bool wide = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const std::size_t step = wide ? 2 : 1;
    const auto unit = [&](std::size_t at) -> unsigned {
        const auto low = static_cast<unsigned char>(bytes[at]);
        return wide ? low | (static_cast<unsigned char>(bytes[at + 1]) << 8) : low;
    };
    Shape shape;
    bool lineStart = true, blankSoFar = true, holdsValue = false;
    for (std::size_t at = wide ? 2 : 0; at + step <= bytes.size(); at += step) {
        const unsigned c = unit(at);
        if (c == '\n' || c == '\r') {
            if (c == '\n' || at + step + step > bytes.size() || unit(at + step) != '\n') ++shape.lines;
            lineStart = blankSoFar = true;
            holdsValue = false;
            continue;
        }
        if (blankSoFar && c == '[') ++shape.sections;
        if (c != ' ' && c != '\t') blankSoFar = false;
        if (c == '=') holdsValue = true;
        lineStart = false;
    }
    if (!lineStart) ++shape.lines;
    shape.cutValue = !lineStart && holdsValue;
    return shape;
}

}  // namespace

void checkRestorePointShape(platform::FileSystem& files, std::string_view path) {
    const std::string tooLarge = "復元ポイントとして読むには大きすぎます (上限 " +
                                 std::to_string(kMaxRestorePointBytes >> 20) + " MiB)。";
    std::string bytes;
    const foundation::BoundedRead read = foundation::readFileWithin(files, path, kMaxRestorePointBytes, bytes);
    if (read == foundation::BoundedRead::TooLarge) refuse(path, tooLarge);
    if (read == foundation::BoundedRead::Missing) return;  // what cannot be read holds no key either
    const Shape shape = shapeOf(bytes);
    if (shape.lines > kMaxRestorePointLines || shape.sections > kMaxRestorePointSections)
        refuse(path, "復元ポイントとして読むには行またはセクションが多すぎます (上限 " +
                         std::to_string(kMaxRestorePointLines) + " 行、" + std::to_string(kMaxRestorePointSections) +
                         " セクション)。");
    if (shape.cutValue) refuse(path, "最後の行が途中で切れています (値のある行が改行で終わっていません)。");
}

bool documentedKeyHolds(std::string_view text) {
    if (text.empty()) return true;
    if (!text::isValidUtf8(text) || text.size() > kLongestValue ||
        text.find_first_of(kLineBreaks) != std::string_view::npos)
        return false;
    if (kBlanks.find(text.front()) != std::string_view::npos || kBlanks.find(text.back()) != std::string_view::npos)
        return false;
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
    return !quoted;
}

void RestorePointFile::put(std::string_view section, std::string_view key, std::string_view value) {
    profiles_.WriteProfileValue(path_, section, key, value);
}

std::string RestorePointFile::get(std::string_view section, std::string_view key) {
    std::string value = profiles_.ReadProfileValue(path_, section, key);
    if (section == kExactSection) return value;
    if (!exactKeys_) {
        exactKeys_.emplace();
        for (const std::string& name : keys(kExactSection)) exactKeys_->insert(text::upperAscii(name));
    }
    const std::string exact = textKey(section, key);
    if (!exactKeys_->contains(text::upperAscii(exact))) return value;
    const std::string first = profiles_.ReadProfileValue(path_, kExactSection, exact);
    if (first == kNull) return value;
    std::optional<foundation::RegData> data = readExactData(*this, exact, first);
    return data && data->type == platform::regtype::Sz ? std::move(data->bytes) : value;
}

std::vector<std::string> RestorePointFile::keys(std::string_view section) {
    return *profiles_.GetProfileSectionKeys(path_, section);
}

void RestorePointBatch::add(std::vector<platform::ProfileWrite>& to, std::string_view section, std::string_view key,
                            std::string_view value) {
    bytes_ += section.size() + key.size() + value.size() + 4;
    to.push_back({std::string(section), std::string(key), std::string(value)});
}

void RestorePointBatch::put(std::string_view section, std::string_view key, std::string_view value) {
    if (value == kNull || !keyHolds(key)) return;
    if (documentedKeyHolds(value)) {
        add(writes_, section, key, value);
        return;
    }
    add(writes_, section, key, value.substr(0, value.find_first_of(kLineBreaks)));
    putExactData(*this, textKey(section, key), {platform::regtype::Sz, std::string(value)});
}

void RestorePointBatch::putExact(std::string_view key, std::string_view value) {
    if (value == kNull || !keyHolds(key)) return;
    add(exactWrites_, kExactSection, key, value);
}

bool RestorePointBatch::roomFor(std::size_t bytes) { return bytes_ + bytes <= kMaxWrittenBytes; }

void RestorePointBatch::writeTo(foundation::ProfileValues& profiles, std::string_view path) const {
    std::vector<platform::ProfileWrite> all = writes_;
    all.insert(all.end(), exactWrites_.begin(), exactWrites_.end());
    profiles.WriteProfileValues(path, all);
}

}  // namespace hastelyn::engine
