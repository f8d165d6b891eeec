#include "platform/sandbox/WindowTable.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "platform/sandbox/util/Process.h"

namespace hastelyn::sandbox {
namespace {

constexpr std::string_view kHeader =
    "; Top-level windows of this machine, bottom of the Z order first. Fields: handle, owner pid\n"
    "; (0: the sandbox), start time of the owner, class name, title.\n";
// A sixth field, only for a window of the sandbox that comes up later: when (monotonic clock,
// nanoseconds).
constexpr std::string_view kNextKey = "NextHandle=";

// Tabs, line breaks and backslashes inside a field are written as \t, \n, \r, \\.
std::string escape(std::string_view field) {
    std::string out;
    for (char c : field) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

template <typename T>
std::optional<T> number(std::string_view text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

WindowTable WindowTable::parse(std::string_view text) {
    WindowTable table;
    forEachLine(text, [&table](std::string_view line) {
        if (line.empty() || line.front() == ';') return;
        if (line.starts_with(kNextKey)) {
            if (const auto next = number<std::uint64_t>(line.substr(kNextKey.size())))
                table.nextHandle = std::max(table.nextHandle, *next);
            return;
        }
        const auto fields = splitTabs(line);
        if (fields.size() != 5 && fields.size() != 6) return;
        const auto handle = number<std::uint64_t>(fields[0]);
        const auto pid = number<std::int64_t>(fields[1]);
        const auto start = number<std::uint64_t>(fields[2]);
        const auto shownFrom = fields.size() == 6 ? number<std::int64_t>(fields[5]) : std::optional<std::int64_t>(0);
        if (!handle || *handle == 0 || !pid || *pid < 0 || !start || fields[3].empty() || !shownFrom) return;
        if (table.find(*handle)) return;
        table.windows.push_back({*handle, *pid, *start, unescape(fields[3]), unescape(fields[4]), *shownFrom});
        table.nextHandle = std::max(table.nextHandle, *handle + kHandleStep);
    });
    return table;
}

WindowTable WindowTable::atBoot() {
    WindowTable table;
    table.windows.push_back({kFirstHandle, 0, 0, std::string(kShellWindowClass), std::string(kShellWindowTitle), 0});
    table.nextHandle = kFirstHandle + kHandleStep;
    return table;
}

std::string WindowTable::format() const {
    std::string text(kHeader);
    text += kNextKey;
    text += std::to_string(nextHandle) + "\n";
    for (const WindowEntry& w : windows) {
        text += std::to_string(w.handle) + "\t" + std::to_string(w.pid) + "\t" + std::to_string(w.processStart) +
                "\t" + escape(w.className) + "\t" + escape(w.title);
        if (w.shownFrom != 0) text += "\t" + std::to_string(w.shownFrom);
        text += "\n";
    }
    return text;
}

WindowEntry* WindowTable::find(std::uint64_t handle) {
    for (WindowEntry& w : windows) {
        if (w.handle == handle) return &w;
    }
    return nullptr;
}

std::vector<std::int64_t> WindowTable::removeDead() {
    std::vector<std::int64_t> dead;
    std::erase_if(windows, [&dead](const WindowEntry& w) {
        if (w.sandboxOwned() || processAlive(w.pid, w.processStart)) return false;
        if (std::find(dead.begin(), dead.end(), w.pid) == dead.end()) dead.push_back(w.pid);
        return true;
    });
    return dead;
}

std::string formatInboxLine(const QueuedMessage& queued) {
    const platform::WindowMessage& m = queued.message;
    return std::to_string(queued.stamp) + "\t" + std::to_string(m.window.value) + "\t" + std::to_string(m.message) +
           "\t" + std::to_string(m.wParam) + "\t" + std::to_string(m.lParam);
}

std::optional<QueuedMessage> parseInboxLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fields = splitTabs(line);
    if (fields.size() != 5) return std::nullopt;
    const auto stamp = number<std::int64_t>(fields[0]);
    const auto window = number<std::uint64_t>(fields[1]);
    const auto message = number<std::uint32_t>(fields[2]);
    const auto wParam = number<std::uint64_t>(fields[3]);
    const auto lParam = number<std::int64_t>(fields[4]);
    if (!stamp || !window || !message || !wParam || !lParam) return std::nullopt;
    return QueuedMessage{*stamp, {{*window}, *message, *wParam, *lParam}};
}

std::int64_t messageStamp() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace hastelyn::sandbox
