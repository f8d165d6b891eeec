#include "platform/sandbox/SandboxWindowSystem.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/Process.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
constexpr long kInvalidWindowHandle = 1400;  // ERROR_INVALID_WINDOW_HANDLE

std::int64_t currentPid() { return static_cast<std::int64_t>(::getpid()); }

void raise(WindowTable& table, std::uint64_t handle) {
    const auto it = std::find_if(table.windows.begin(), table.windows.end(),
                                 [handle](const WindowEntry& w) { return w.handle == handle; });
    if (it != table.windows.end()) std::rotate(it, it + 1, table.windows.end());
}

bool hasWindowOf(const WindowTable& table, std::int64_t pid) {
    return std::any_of(table.windows.begin(), table.windows.end(),
                       [pid](const WindowEntry& w) { return w.pid == pid; });
}

}  // namespace

SandboxWindowSystem::SandboxWindowSystem(SandboxMachine& machine)
    : machine_(machine), mutexes_(machine.folder() / "locks") {}

SandboxWindowSystem::~SandboxWindowSystem() {
    if (own_.empty()) return;
    try {
        const std::int64_t pid = currentPid();
        changeTable([this, pid](WindowTable& table) {
            // (In a child made by fork, the windows it inherited are its parent's.)
            std::erase_if(table.windows,
                          [this, pid](const WindowEntry& w) { return w.pid == pid && ownWindow({w.handle}); });
            if (!hasWindowOf(table, pid)) ::unlink(inboxPath(pid).c_str());
            return true;
        });
    } catch (...) {
        // Nothing can be reported from here; the next change of the table drops them anyway.
    }
}

std::filesystem::path SandboxWindowSystem::inboxPath(std::int64_t pid) const {
    return folder() / (std::to_string(pid) + ".inbox");
}

WindowTable SandboxWindowSystem::readTable() const {
    const auto text = readWholeFile(tablePath());
    if (!text && !std::filesystem::exists(tablePath())) return WindowTable::atBoot();
    return WindowTable::parse(text.value_or(""));
}

template <typename Change>
bool SandboxWindowSystem::changeTable(Change change) {
    std::error_code ec;
    std::filesystem::create_directories(folder(), ec);
    const FileLock lock(lockPath(), true);
    if (!lock.held()) return false;
    WindowTable table = readTable();
    const std::vector<std::int64_t> ended = table.removeDead();
    for (std::int64_t pid : ended) ::unlink(inboxPath(pid).c_str());
    const bool changed = change(table);
    if (!changed && ended.empty()) return true;
    return writeFileAtomically(tablePath(), table.format());
}

long SandboxWindowSystem::openMutex(std::string_view name, platform::ObjectHandle& out) {
    return mutexes_.open(name, out);
}

long SandboxWindowSystem::createMutex(std::string_view name, platform::ObjectHandle& out) {
    return mutexes_.create(name, out);
}

long SandboxWindowSystem::waitForMutex(platform::ObjectHandle mutex) { return mutexes_.wait(mutex); }

bool SandboxWindowSystem::releaseMutex(platform::ObjectHandle mutex) {
    if (!mutexes_.isHandle(mutex)) {
        machine_.setLastError(win32error::InvalidHandle);
        return false;
    }
    if (mutexes_.release(mutex)) return true;
    machine_.setLastError(win32error::NotOwner);
    return false;
}

bool SandboxWindowSystem::closeHandle(platform::ObjectHandle handle) {
    if (mutexes_.close(handle)) return true;
    machine_.setLastError(win32error::InvalidHandle);
    return false;
}

platform::WindowHandle SandboxWindowSystem::addWindow(std::string_view className, std::string_view title,
                                                      std::int64_t pid, std::int64_t shownFrom) {
    className = text::cutAtNul(className);
    title = text::cutAtNul(title);
    if (className.empty()) {
        machine_.setLastError(win32error::InvalidParameter);
        return {};
    }
    WindowEntry entry{0, pid, pid == 0 ? 0 : processStartTime(pid), std::string(className), std::string(title),
                      shownFrom};
    const bool written = changeTable([this, &entry](WindowTable& table) {
        entry.handle = table.nextHandle;
        table.nextHandle += WindowTable::kHandleStep;
        // An inbox without windows was left by an ended process that had this id.
        if (entry.pid != 0 && !hasWindowOf(table, entry.pid)) ::unlink(inboxPath(entry.pid).c_str());
        table.windows.push_back(entry);
        return true;
    });
    if (!written) {
        machine_.setLastError(win32error::AccessDenied);
        return {};
    }
    if (pid != 0) own_.push_back(entry);
    return {entry.handle};
}

platform::WindowHandle SandboxWindowSystem::createWindow(std::string_view className, std::string_view title) {
    return addWindow(className, title, currentPid());
}

platform::WindowHandle SandboxWindowSystem::createSandboxWindow(std::string_view className, std::string_view title,
                                                                std::chrono::milliseconds delay) {
    const std::int64_t shownFrom =
        delay.count() > 0 ? messageStamp() + std::chrono::duration_cast<std::chrono::nanoseconds>(delay).count() : 0;
    return addWindow(className, title, 0, shownFrom);
}

std::vector<WindowEntry> SandboxWindowSystem::sandboxWindows() {
    std::vector<WindowEntry> found;
    for (const WindowEntry& w : readTable().windows) {
        if (w.sandboxOwned()) found.push_back(w);
    }
    return found;
}

const WindowEntry* SandboxWindowSystem::ownWindow(platform::WindowHandle window) const {
    for (const WindowEntry& w : own_) {
        if (w.handle == window.value) return &w;
    }
    return nullptr;
}

bool SandboxWindowSystem::destroyWindow(platform::WindowHandle window) {
    if (!ownWindow(window)) {
        machine_.setLastError(kInvalidWindowHandle);
        return false;
    }
    std::erase_if(own_, [window](const WindowEntry& w) { return w.handle == window.value; });
    std::erase_if(local_, [window](const QueuedMessage& q) { return q.message.window == window; });
    return changeTable([window](WindowTable& table) {
        return std::erase_if(table.windows, [window](const WindowEntry& w) { return w.handle == window.value; }) > 0;
    });
}

bool SandboxWindowSystem::destroySandboxWindow(platform::WindowHandle window) {
    bool found = false;
    changeTable([window, &found](WindowTable& table) {
        found = std::erase_if(table.windows, [window](const WindowEntry& w) {
                    return w.handle == window.value && w.sandboxOwned();
                }) > 0;
        return found;
    });
    if (!found) machine_.setLastError(kInvalidWindowHandle);
    return found;
}

platform::WindowHandle SandboxWindowSystem::findWindow(std::string_view className, std::string_view title) {
    className = text::cutAtNul(className);
    title = text::cutAtNul(title);
    const WindowTable table = readTable();
    const std::int64_t now = messageStamp();
    bool ended = false;
    platform::WindowHandle found;
    for (auto it = table.windows.rbegin(); it != table.windows.rend() && !found; ++it) {
        if (!className.empty() && !text::equalsNoCase(className, it->className)) continue;
        if (!title.empty() && title != it->title) continue;
        if (!it->shown(now)) continue;
        if (!it->sandboxOwned() && !processAlive(it->pid, it->processStart)) {
            ended = true;
            continue;
        }
        found = {it->handle};
    }
    if (ended) changeTable([](WindowTable&) { return false; });
    return found;
}

SandboxWindowProcedure* SandboxWindowSystem::procedureFor(std::string_view className) const {
    for (const auto& [name, procedure] : procedures_) {
        if (text::equalsNoCase(name, className)) return procedure.get();
    }
    return nullptr;
}

void SandboxWindowSystem::setWindowProcedure(std::string_view className,
                                             std::unique_ptr<SandboxWindowProcedure> procedure) {
    std::erase_if(procedures_, [className](const auto& p) { return text::equalsNoCase(p.first, className); });
    if (procedure) procedures_.emplace_back(std::string(className), std::move(procedure));
}

std::optional<std::intptr_t> SandboxWindowSystem::deliver(Call call, platform::WindowHandle window,
                                                          std::uint32_t message, std::uint64_t wParam,
                                                          std::int64_t lParam) {
    const QueuedMessage queued{0, {window, message, wParam, lParam}};
    std::optional<WindowEntry> target;
    if (const WindowEntry* mine = ownWindow(window)) {
        target = *mine;
        local_.push_back(queued);
        local_.back().stamp = messageStamp();
        if (call == Call::Foreground) {
            changeTable([window](WindowTable& table) {
                raise(table, window.value);
                return true;
            });
        }
    } else if (window && (std::filesystem::exists(tablePath()) || WindowTable::atBoot().find(window.value))) {
        bool queuedThere = true;
        changeTable([&](WindowTable& table) {
            const WindowEntry* entry = table.find(window.value);
            if (!entry || !entry->shown(messageStamp())) return false;
            target = *entry;
            if (!entry->sandboxOwned()) {
                // Stamped under the lock, so that an inbox is in stamp order.
                QueuedMessage stamped = queued;
                stamped.stamp = messageStamp();
                queuedThere = appendLine(inboxPath(entry->pid), formatInboxLine(stamped));
            }
            if (call != Call::Foreground) return false;
            raise(table, window.value);
            return true;
        });
        if (!queuedThere) target.reset();
    }
    if (!target) {
        machine_.setLastError(kInvalidWindowHandle);
        return std::nullopt;
    }
    const std::string handleText = std::to_string(window.value);
    if (call == Call::Foreground) {
        machine_.journal("SetForegroundWindow", {handleText, target->className, target->title});
    } else {
        machine_.journal(call == Call::Post ? "PostMessage" : "SendMessage",
                         {handleText, target->className, target->title, std::to_string(message),
                          std::to_string(wParam), std::to_string(lParam)});
    }
    if (target->sandboxOwned()) {
        if (SandboxWindowProcedure* procedure = procedureFor(target->className))
            return procedure->message(*this, *target, message, wParam, lParam);
    }
    return 0;
}

bool SandboxWindowSystem::setForegroundWindow(platform::WindowHandle window) {
    return deliver(Call::Foreground, window, platform::wm::Activate, 1, 0).has_value();
}

bool SandboxWindowSystem::postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                      std::int64_t lParam) {
    return deliver(Call::Post, window, message, wParam, lParam).has_value();
}

std::intptr_t SandboxWindowSystem::sendMessage(platform::WindowHandle window, std::uint32_t message,
                                               std::uint64_t wParam, std::int64_t lParam) {
    return deliver(Call::Send, window, message, wParam, lParam).value_or(0);
}

std::vector<platform::WindowMessage> SandboxWindowSystem::takeMessages() {
    std::vector<QueuedMessage> taken = std::move(local_);
    local_.clear();
    const std::int64_t pid = currentPid();
    const std::filesystem::path inbox = inboxPath(pid);
    if (!own_.empty() && std::filesystem::exists(inbox)) {
        const FileLock lock(lockPath(), true);
        const auto text = readWholeFile(inbox);
        if (lock.held() && text) {
            // Messages for windows of another window system of this process stay for it; those
            // for windows that are gone go.
            WindowTable table = WindowTable::parse(readWholeFile(tablePath()).value_or(""));
            std::string rest;
            std::string_view lines = *text;
            while (!lines.empty()) {
                const std::size_t end = lines.find('\n');
                const std::string_view line = lines.substr(0, end);
                lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
                const auto message = parseInboxLine(line);
                if (!message) continue;
                if (ownWindow(message->message.window)) {
                    taken.push_back(*message);
                } else if (const WindowEntry* entry = table.find(message->message.window.value);
                           entry && entry->pid == pid) {
                    rest += std::string(line) + "\n";
                }
            }
            if (rest.empty()) ::unlink(inbox.c_str());
            else writeFileAtomically(inbox, rest);
        }
    }
    std::stable_sort(taken.begin(), taken.end(),
                     [](const QueuedMessage& a, const QueuedMessage& b) { return a.stamp < b.stamp; });
    std::vector<platform::WindowMessage> messages;
    messages.reserve(taken.size());
    for (const QueuedMessage& q : taken) messages.push_back(q.message);
    return messages;
}

}  // namespace hastelyn::sandbox
