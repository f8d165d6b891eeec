#pragma once
// Named mutexes and top-level windows of the sandbox machine, shared between the processes
// that use the same machine folder (README.md beside this file, "locks/" and "windows/").
//
// Each process lists its windows in the machine's window table; a message for a window of
// another process goes to that process's inbox file, and takeMessages there collects it. The
// windows of a process that ended without removing them are ignored and dropped on the next
// change of the table. Windows of the sandbox itself (the shell's "Progman", the
// registration tool's result box) are in the table too, owned by no process: a message to one
// runs the window procedure set for its class, in the process that sends it.
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/sandbox/NamedMutexes.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/WindowTable.h"

namespace hastelyn::sandbox {

class SandboxWindowSystem;

// What a window of the sandbox does with a message.
class SandboxWindowProcedure {
public:
    virtual ~SandboxWindowProcedure() = default;
    // The result is what sendMessage gives (postMessage drops it). It may call
    // destroySandboxWindow, for instance on wm::Close or wm::Quit; the journal already holds
    // the message.
    virtual std::intptr_t message(SandboxWindowSystem& windows, const WindowEntry& window, std::uint32_t message,
                                  std::uint64_t wParam, std::int64_t lParam) = 0;
};

class SandboxWindowSystem : public platform::WindowSystem {
public:
    explicit SandboxWindowSystem(SandboxMachine& machine);
    // Removes this object's windows from the table (messages not yet taken are lost) and
    // closes its mutex handles.
    ~SandboxWindowSystem() override;
    SandboxWindowSystem(const SandboxWindowSystem&) = delete;
    SandboxWindowSystem& operator=(const SandboxWindowSystem&) = delete;

    long openMutex(std::string_view name, platform::ObjectHandle& out) override;
    long createMutex(std::string_view name, platform::ObjectHandle& out) override;
    // True for a mutex handle: this process never owns a mutex, so there is nothing to release.
    long waitForMutex(platform::ObjectHandle mutex) override;
    bool releaseMutex(platform::ObjectHandle mutex) override;
    bool closeHandle(platform::ObjectHandle handle) override;

    // Class names compare case-insensitively, titles exactly; the topmost match wins.
    platform::WindowHandle findWindow(std::string_view className, std::string_view title) override;
    // Raises the window to the top and queues wm::Activate (wParam 1) for it.
    bool setForegroundWindow(platform::WindowHandle window) override;
    // Every message is queued, also one sent to a window of this process (then the result is 0).
    // False / 0 for a window that does not exist.
    bool postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                     std::int64_t lParam) override;
    std::intptr_t sendMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                              std::int64_t lParam) override;

    platform::WindowHandle createWindow(std::string_view className, std::string_view title) override;
    // Only a window this object made; false for any other.
    bool destroyWindow(platform::WindowHandle window) override;
    // Messages queued here and those in this process's inbox for this object's windows, by
    // the time they were sent.
    std::vector<platform::WindowMessage> takeMessages() override;

    // A window of the sandbox itself: it belongs to no process, so it stays when this one ends,
    // until destroySandboxWindow removes it. With a delay it comes up that long after now:
    // until then findWindow passes it by and messages to it are refused.
    platform::WindowHandle createSandboxWindow(std::string_view className, std::string_view title,
                                               std::chrono::milliseconds delay = {});
    bool destroySandboxWindow(platform::WindowHandle window);
    // The sandbox's own windows now in the table (also those not up yet), bottom first.
    std::vector<WindowEntry> sandboxWindows();
    // The procedure for the sandbox's windows of a class (compared case-insensitively),
    // replacing one set before. Without one, a message to such a window is accepted and
    // does nothing.
    void setWindowProcedure(std::string_view className, std::unique_ptr<SandboxWindowProcedure> procedure);

private:
    enum class Call { Foreground, Post, Send };

    std::filesystem::path folder() const { return machine_.folder() / "windows"; }
    std::filesystem::path tablePath() const { return folder() / "table.txt"; }
    std::filesystem::path lockPath() const { return folder() / ".lock"; }
    std::filesystem::path inboxPath(std::int64_t pid) const;

    // The table as the file holds it; a machine whose table was never written has the one it
    // started with.
    WindowTable readTable() const;
    // Runs change on the table under the folder's lock, after dropping the windows (and
    // inboxes) of ended processes, and writes the table back when anything changed.
    template <typename Change>
    bool changeTable(Change change);
    platform::WindowHandle addWindow(std::string_view className, std::string_view title, std::int64_t pid,
                                     std::int64_t shownFrom = 0);
    const WindowEntry* ownWindow(platform::WindowHandle window) const;
    std::optional<std::intptr_t> deliver(Call call, platform::WindowHandle window, std::uint32_t message,
                                         std::uint64_t wParam, std::int64_t lParam);
    SandboxWindowProcedure* procedureFor(std::string_view className) const;

    SandboxMachine& machine_;
    NamedMutexes mutexes_;
    std::vector<WindowEntry> own_;       // this object's windows
    std::vector<QueuedMessage> local_;   // messages for them sent from this process
    std::vector<std::pair<std::string, std::unique_ptr<SandboxWindowProcedure>>> procedures_;
};

}  // namespace hastelyn::sandbox
