#pragma once
// The text files behind the machine's top-level windows (README.md, "windows/"): the window
// table and the message inbox of each process.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"

namespace hastelyn::sandbox {

struct WindowEntry {
    std::uint64_t handle = 0;
    // The owning process and when it started (0: unknown); pid 0 is the sandbox itself, whose
    // windows belong to no process and stay until the sandbox removes them.
    std::int64_t pid = 0;
    std::uint64_t processStart = 0;
    std::string className;
    std::string title;
    // For a window of the sandbox: when it comes up (messageStamp() time); until then nobody
    // can find it or send it anything. 0: at once.
    std::int64_t shownFrom = 0;

    bool sandboxOwned() const { return pid == 0; }
    bool shown(std::int64_t now) const { return shownFrom <= now; }
};

// The shell's window, there from the start on every machine whose shell runs.
constexpr std::string_view kShellWindowClass = "Progman";
constexpr std::string_view kShellWindowTitle = "Program Manager";

struct WindowTable {
    static constexpr std::uint64_t kFirstHandle = 0x10010;
    static constexpr std::uint64_t kHandleStep = 2;

    // The number the next window gets; it only grows, so a handle is never given twice.
    std::uint64_t nextHandle = kFirstHandle;
    // Bottom of the Z order first: the last entry is the top window.
    std::vector<WindowEntry> windows;

    // Reads the table; lines that do not parse are skipped. The next handle is kept above every
    // handle listed, whatever the file says.
    static WindowTable parse(std::string_view text);
    // The table of a machine that has just started, before any program made a window: the
    // shell's window alone, with the first handle.
    static WindowTable atBoot();
    std::string format() const;

    WindowEntry* find(std::uint64_t handle);
    // Removes the windows of processes that no longer run, giving their pids.
    std::vector<std::int64_t> removeDead();
};

// One message waiting in an inbox; stamp orders it among the messages of the owner (a
// monotonic clock reading in nanoseconds, the same for every process of the computer).
struct QueuedMessage {
    std::int64_t stamp = 0;
    platform::WindowMessage message;
};

// stamp, window, message, wParam, lParam: decimal numbers separated by tabs.
std::string formatInboxLine(const QueuedMessage& queued);
std::optional<QueuedMessage> parseInboxLine(std::string_view line);
std::int64_t messageStamp();

}  // namespace hastelyn::sandbox
