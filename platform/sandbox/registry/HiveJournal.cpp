#include "platform/sandbox/registry/HiveJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>

#include "platform/Win32Types.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/registry/RegistryText.h"

namespace hastelyn::sandbox {
namespace {

namespace regtype = platform::regtype;

constexpr std::string_view kMagic = "HIVEJOURNAL1 ";
// Room beyond the size limit for the header and the framing of the last record.
constexpr std::uint64_t kFraming = 256;

// Fields are length-prefixed ("5:hello"), so any bytes may stand in names and data.
void appendField(std::string& out, std::string_view field) {
    out += std::to_string(field.size());
    out += ':';
    out.append(field);
}

std::string withPath(char op, const std::vector<std::string>& path) {
    std::string out(1, op);
    appendField(out, std::to_string(path.size()));
    for (const std::string& name : path) appendField(out, name);
    return out;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string header(const FileStamp& hive) {
    return std::string(kMagic) + std::to_string(hive.device) + " " + std::to_string(hive.inode) + " " +
           std::to_string(hive.size) + " " + std::to_string(hive.mtimeNs) + "\n";
}

// "R <length> <hash>\n" and the record's bytes.
std::string frame(std::string_view record) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(record)));
    std::string out = "R " + std::to_string(record.size()) + " " + hash + "\n";
    out.append(record);
    return out;
}

class Fields {
public:
    explicit Fields(std::string_view text) : rest_(text) {}
    bool done() const { return rest_.empty(); }
    char op() {
        const char c = rest_.front();
        rest_.remove_prefix(1);
        return c;
    }
    std::optional<std::string_view> next() {
        const std::size_t colon = rest_.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + colon, length);
        if (error != std::errc() || end != rest_.data() + colon || length > rest_.size() - colon - 1) return std::nullopt;
        const std::string_view field = rest_.substr(colon + 1, length);
        rest_.remove_prefix(colon + 1 + length);
        return field;
    }
    std::optional<std::uint64_t> number() {
        const auto field = next();
        std::uint64_t value = 0;
        if (!field || std::from_chars(field->data(), field->data() + field->size(), value).ec != std::errc())
            return std::nullopt;
        return value;
    }

private:
    std::string_view rest_;
};

// One operation of a record, read whole before anything is applied.
struct Operation {
    char op = 0;
    std::vector<std::string_view> path;
    std::string_view name;
    std::uint32_t type = 0;
    std::string_view data;
};

// The operation at the start of fields, or nothing when it is not one the registry could have
// written: an unknown letter, a missing field, a path deeper than a registry tree may be, a
// name the registry would not keep as it stands.
std::optional<Operation> readOperation(Fields& fields) {
    Operation o;
    o.op = fields.op();
    if (o.op != 'K' && o.op != 'S' && o.op != 'D' && o.op != 'X') return std::nullopt;
    const auto depth = fields.number();
    if (!depth || *depth > kMaxKeyDepth || (o.op == 'X' && *depth == 0)) return std::nullopt;
    for (std::uint64_t i = 0; i < *depth; ++i) {
        const auto name = fields.next();
        if (!name || !isKeyName(*name)) return std::nullopt;
        o.path.push_back(*name);
    }
    if (o.op == 'S' || o.op == 'D') {
        const auto name = fields.next();
        if (!name || cleanValueName(*name) != *name || hasLineBreak(*name)) return std::nullopt;
        o.name = *name;
    }
    if (o.op == 'S') {
        const auto type = fields.number();
        const auto data = fields.next();
        if (!type || *type > 0xFFFFFFFFu || !data) return std::nullopt;
        // String data is kept as UTF-8, as the registry takes it.
        const bool text = *type == regtype::Sz || *type == regtype::ExpandSz || *type == regtype::MultiSz;
        if (text && replaceInvalidUtf8(*data) != *data) return std::nullopt;
        o.type = static_cast<std::uint32_t>(*type);
        o.data = *data;
    }
    return o;
}

void applyOperation(const Operation& o, HiveKey& root) {
    if (o.op == 'X') {  // a key with everything below it deleted
        HiveKey* parent = &root;
        for (std::size_t i = 0; parent && i + 1 < o.path.size(); ++i) parent = parent->findChild(o.path[i]);
        if (parent) parent->removeChild(o.path.back());
        return;
    }
    HiveKey* key = &root;
    for (const std::string_view name : o.path) key = key ? (o.op == 'D' ? key->findChild(name) : &key->child(name)) : nullptr;
    if (o.op == 'S') key->setValue(o.name, o.type, o.data);
    if (o.op == 'D' && key) key->removeValue(o.name);
}

// A record holds one operation, or several that count only together (a copied tree): all of
// them are applied, or none when one is not well formed (false).
bool applyRecord(std::string_view record, HiveKey& root) {
    std::vector<Operation> operations;
    for (Fields fields(record); !fields.done();) {
        std::optional<Operation> o = readOperation(fields);
        if (!o) return false;
        operations.push_back(std::move(*o));
    }
    for (const Operation& o : operations) applyOperation(o, root);
    return true;
}

// The framed records of text applied from offset on; the end of the last whole one.
std::size_t applyRecords(std::string_view text, std::size_t offset, HiveKey& root, bool* applied) {
    while (offset < text.size()) {
        const std::size_t line = text.find('\n', offset);
        if (line == std::string_view::npos || text.substr(offset, 2) != "R ") break;
        const std::string_view head = text.substr(offset + 2, line - offset - 2);
        const std::size_t blank = head.find(' ');
        std::size_t length = 0;
        if (blank == std::string_view::npos ||
            std::from_chars(head.data(), head.data() + blank, length).ec != std::errc() ||
            length > text.size() - line - 1)
            break;
        const std::string_view record = text.substr(line + 1, length);
        std::uint64_t hash = 0;
        const std::string_view hashText = head.substr(blank + 1);
        if (std::from_chars(hashText.data(), hashText.data() + hashText.size(), hash, 16).ec != std::errc() ||
            hash != fnv1a(record) || !applyRecord(record, root))
            break;
        *applied = true;
        offset = line + 1 + length;
    }
    return offset;
}

// Bytes of the file from offset to its end (as of st).
std::optional<std::string> readFrom(int fd, std::uint64_t offset, std::uint64_t end) {
    std::string bytes(end > offset ? end - offset : 0, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

bool writeAll(int fd, std::string_view bytes, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::uint64_t HiveJournal::sizeLimit(const FileStamp& hive) {
    constexpr std::uint64_t kSmallestJournal = 1 << 20;
    return std::max(kSmallestJournal, hive.size);
}

std::string HiveJournal::keyRecord(const std::vector<std::string>& path) { return withPath('K', path); }

std::string HiveJournal::setRecord(const std::vector<std::string>& path, std::string_view name, std::uint32_t type,
                                   std::string_view data) {
    std::string out = withPath('S', path);
    out.reserve(out.size() + name.size() + data.size() + 32);
    appendField(out, name);
    appendField(out, std::to_string(type));
    appendField(out, data);
    return out;
}

std::string HiveJournal::deleteValueRecord(const std::vector<std::string>& path, std::string_view name) {
    std::string out = withPath('D', path);
    appendField(out, name);
    return out;
}

std::string HiveJournal::deleteTreeRecord(const std::vector<std::string>& path) { return withPath('X', path); }

namespace {

void appendTree(std::string& out, std::vector<std::string>& path, const HiveKey& key) {
    out += HiveJournal::keyRecord(path);
    key.forEachValue([&](const HiveValue& value) { out += HiveJournal::setRecord(path, value.name, value.type, value.data); });
    for (const auto& [name, child] : key.children()) {
        path.push_back(name);
        appendTree(out, path, *child);
        path.pop_back();
    }
}

}  // namespace

std::string HiveJournal::mergeTreeRecord(const std::vector<std::string>& path, const HiveKey& tree) {
    std::string out;
    std::vector<std::string> at = path;
    appendTree(out, at, tree);
    return out;
}

bool HiveJournal::read(const FileStamp& hive, HiveKey& root, bool* applied) {
    *applied = false;
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        stamp_ = FileStamp{};
        return valid_ == 0;  // gone: whatever was read from it came through the hive file
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return false;
    }
    const FileStamp now = stampOfStat(st);
    const bool resume = valid_ > 0;
    if (resume && (now.inode != stamp_.inode || now.device != stamp_.device || now.size < valid_)) {
        ::close(fd);
        return false;
    }
    // No journal this registry wrote is longer than its limit, whatever a crafted one says:
    // what lies beyond is never read (and goes with the next change).
    const auto bytes = readFrom(fd, resume ? valid_ : 0, std::min<std::uint64_t>(now.size, sizeLimit(hive) + kFraming));
    ::close(fd);
    if (!bytes) return false;
    stamp_ = now;
    if (resume) {
        valid_ += applyRecords(*bytes, 0, root, applied);
        return true;
    }
    const std::string expected = header(hive);
    if (!std::string_view(*bytes).starts_with(expected)) return true;  // follows another hive file
    valid_ = applyRecords(*bytes, expected.size(), root, applied);
    return true;
}

bool HiveJournal::append(const FileStamp& hive, std::string_view record) {
    const int fd = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // A journal of another hive file starts again; a torn record at the end is cut off.
    std::string bytes = valid_ == 0 ? header(hive) : std::string();
    bytes += frame(record);
    const std::uint64_t offset = valid_;
    // The caller looked at the file under the lock: when it ends with the last whole record,
    // there is nothing to cut.
    const bool whole = stamp_.exists && stamp_.size == offset;
    bool ok = (whole || ::ftruncate(fd, static_cast<off_t>(offset)) == 0) && writeAll(fd, bytes, offset);
    struct stat st {};
    ok = ok && ::fstat(fd, &st) == 0;
    const int error = errno;
    ::close(fd);
    if (!ok) {
        // What is there now is unknown: the next read starts afresh.
        forget();
        errno = error;
        return false;
    }
    valid_ = offset + bytes.size();
    stamp_ = stampOfStat(st);
    return true;
}

void HiveJournal::remove() {
    ::unlink(file_.c_str());
    forget();
}

void HiveJournal::forget() {
    valid_ = 0;
    stamp_ = FileStamp{};
}

}  // namespace hastelyn::sandbox
