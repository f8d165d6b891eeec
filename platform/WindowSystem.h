#pragma once
// Named mutexes and top-level windows as Windows offers them: the single-instance check, and
// finding other programs' windows and sending them messages.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::platform {

// A kernel object handle (HANDLE). Zero is none.
struct ObjectHandle {
    std::uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
};

// A window (HWND). Zero is none.
struct WindowHandle {
    std::uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
    bool operator==(const WindowHandle&) const = default;
};

// Window messages (WM_*).
namespace wm {
constexpr std::uint32_t Activate = 0x0006;  // wParam 1: the window is to come to the front
constexpr std::uint32_t Close = 0x0010;
constexpr std::uint32_t Quit = 0x0012;
}  // namespace wm

struct WindowMessage {
    WindowHandle window;
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name): a handle when a mutex of that name exists in
    // any process, else none (FileNotFound).
    virtual long openMutex(std::string_view name, ObjectHandle& out) = 0;
    // CreateMutexA(default security, not owned, name): a handle; AlreadyExists (with a handle)
    // when another holder had made it first.
    virtual long createMutex(std::string_view name, ObjectHandle& out) = 0;
    // WaitForSingleObject(mutex, INFINITE): returns once the calling thread owns the mutex
    // (Success, also when its last owner ended without releasing it), or the system's error.
    // An owner may wait again; it owns the mutex until it has released it as often.
    virtual long waitForMutex(ObjectHandle mutex) = 0;
    // ReleaseMutex: false when the caller does not own it.
    virtual bool releaseMutex(ObjectHandle mutex) = 0;
    // CloseHandle: the object goes when its last handle in every process is closed.
    virtual bool closeHandle(ObjectHandle handle) = 0;

    // FindWindowA: a top-level window of that class name and title (an empty text matches any).
    virtual WindowHandle findWindow(std::string_view className, std::string_view title) = 0;
    // SetForegroundWindow.
    virtual bool setForegroundWindow(WindowHandle window) = 0;
    // PostMessageA: queues the message and returns at once.
    virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                             std::int64_t lParam) = 0;
    // SendMessageA. A window of another process gets the message queued; the result is then 0.
    virtual std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                      std::int64_t lParam) = 0;

    // The program's own top-level windows, made visible to other processes by class name and
    // title (what CreateWindowExA does for a window of a registered class).
    virtual WindowHandle createWindow(std::string_view className, std::string_view title) = 0;
    virtual bool destroyWindow(WindowHandle window) = 0;
    // The messages that arrived for this process's windows since the last call, oldest first;
    // a foreground request from another process arrives as wm::Activate with wParam 1.
    virtual std::vector<WindowMessage> takeMessages() = 0;
};

}  // namespace hastelyn::platform
